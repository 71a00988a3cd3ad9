// SPDX-License-Identifier: MIT
#include "WaveBank.h"

#include "PulseOutput.h"
#include "SoundLog.h"

#include <QFileInfo>

namespace {
// The sound is written two seconds ahead of play (a shot whole), so a late wake-up of ours breaks up
// none. PipeWire runs all the desktop's sound in cycles as short as its most hurried stream asks:
// asked for 10 ms, it ran 5 ms cycles while a shot played, and on a busy machine a late wake-up of its
// own threads dropped pieces of shots. 40 ms keeps its cycles at 10.7 ms; PulseAudio starts a shot
// at the click with either.
constexpr PulseOutput::Buffer ShotBuffer{40, 5, 2000, true};
// The game plays two files; a settings file changed many times keeps no more than this many decoded.
constexpr qsizetype MaxDecodedFiles = 4;
} // namespace

WaveBank::WaveBank(const QString &defaultSound, bool withOutput) : m_defaultSound(defaultSound) {
    if (withOutput) {
        m_output = std::make_unique<PulseOutput>(
            "Plinkard shots", WaveSound::Rate, ShotBuffer,
            [this](int16_t *stereo, int frames) { return m_stream.read(stereo, frames); });
    }
}

WaveBank::~WaveBank() {
    // The output first: once it is gone nothing reads the stream.
    m_output.reset();
    m_decoded.clear(); // each decoder stops after the piece in hand
}

void WaveBank::play(const QString &file) {
    std::shared_ptr<const WaveSound> sound = decoded(file);
    m_lastStarted = file;
    if (!sound) {
        if (!m_defaultLoaded) {
            m_default = loadWave(m_defaultSound);
            m_defaultLoaded = true;
        }
        sound = m_default;
        m_lastStarted = m_defaultSound;
    }
    // Under the output's lock: a top-up of the last sound must not take the new one's start.
    const auto startSound = [this, &sound] { m_stream.start(std::move(sound)); };
    if (m_output) {
        m_output->start(startSound);
    } else {
        startSound();
    }
}

std::shared_ptr<const WaveSound> WaveBank::decoded(const QString &file) {
    // Size and time belong to the key, so a file that appears later or is edited plays as it is now.
    const QFileInfo info(file);
    const bool exists = !file.isEmpty() && info.exists();
    const qint64 size = exists ? info.size() : -1;
    const QDateTime modified = exists ? info.lastModified() : QDateTime();
    const auto known = m_decoded.constFind(file);
    if (known != m_decoded.cend() && known->size == size && known->modified == modified) {
        return known->sound;
    }
    if (known == m_decoded.cend() && m_decoded.size() >= MaxDecodedFiles) {
        m_decoded.clear();
    }
    Decoded entry{size, modified, nullptr, nullptr};
    // The first piece is decoded here, so the sound starts at once; the rest follows on its own thread.
    std::shared_ptr<WaveDecoder> decoder = exists ? WaveDecoder::open(file) : nullptr;
    if (decoder) {
        entry.sound = decoder->sound();
        if (!entry.sound->complete()) {
            entry.decoding = std::make_shared<std::jthread>([decoder](const std::stop_token &stop) {
                while (!stop.stop_requested() && decoder->decodePiece()) {
                }
            });
        }
    }
    if (!entry.sound && file != m_defaultSound) {
        // Once for the file as it is: the entry answers its next shots.
        qCInfo(lcSound, "The shot \"%s\" %s: our own sound plays instead", qUtf8Printable(file),
               exists ? "is unreadable or no WAV file" : "is missing");
    }
    m_decoded.insert(file, entry);
    return entry.sound;
}
