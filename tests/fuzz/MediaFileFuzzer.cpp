// SPDX-License-Identifier: MIT
// Catches any bytes as a shot sound or as music crashing, reading past the file or looping: the WAV path
// through libsndfile (lying headers), the RIFF MIDI chunk scan. A sound decoded is within the one-minute cap;
// a piece that starts is one the check before it let through.
#include "FuzzInput.h"
#include "sound/MidiSynth.h"
#include "sound/WaveFile.h"

#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    static const int fd = memfd_create("media", 0); // an ordinary file, as the game asks for
    static const QString path = QStringLiteral("/proc/self/fd/%1").arg(fd);
    static MidiSynth synth{QString()};
    FUZZ_CHECK(fd >= 0 && ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == ssize_t(size));
    if (const auto sound = loadWave(path)) {
        FUZZ_CHECK(sound->frames() > 0 && sound->frames() <= 60 * WaveSound::Rate);
    }
    FUZZ_CHECK(!synth.start(path) || MidiSynth::isMidiFile(path));
    return 0;
}
