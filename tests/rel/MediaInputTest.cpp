#include "sound/MidiSynth.h"
#include "sound/WaveFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QByteArray le(uint32_t value, int bytes) {
    QByteArray out;
    for (int i = 0; i < bytes; ++i) {
        out.append(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
    return out;
}
} // namespace

// Catches a huge sound or music file read whole: a WAV header claiming a gigabyte reads only its first
// minute, and a gigabyte of zeros named like music is refused from its first bytes. The files are holes.
TEST(MediaInput, HugeFilesAreNotReadWhole) {
    QTemporaryDir dir;
    const uint32_t dataBytes = 1U << 30;
    QByteArray head = "RIFF" + le(dataBytes + 36, 4) + "WAVE";
    head += "fmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(22050, 4) + le(44100, 4) + le(2, 2) + le(16, 2);
    head += "data" + le(dataBytes, 4);
    for (const auto &[name, bytes] : {std::pair{"huge.wav", head}, {"huge.mid", QByteArray()}}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.resize(1LL << 30));
    }
    const auto sound = loadWave(dir.filePath("huge.wav"));
    ASSERT_NE(sound, nullptr);
    EXPECT_LE(sound->frames(), 60 * WaveSound::Rate + 1);
    EXPECT_GE(sound->frames(), 59 * WaveSound::Rate);
    EXPECT_FALSE(MidiSynth::isMidiFile(dir.filePath("huge.mid")));
}
