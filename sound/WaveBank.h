// SPDX-License-Identifier: MIT
#pragma once

#include "WaveFile.h"
#include "WaveStream.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <memory>
#include <thread>

class PulseOutput;

// Short sounds through a sound-server stream of their own, open for the whole run: a shot's beginning is
// written as it starts, so it sounds at the click, and the rest on the server connection's thread, so
// nothing wakes the caller's thread.
// A new sound cuts off the one still playing; a file that cannot be played plays the default sound.
// A file is decoded on a thread of its own, a piece at a time, while its start already plays.
class WaveBank final {
public:
    // Without output the sounds only go to stream(), as a test reads them.
    explicit WaveBank(const QString &defaultSound, bool withOutput = true);
    ~WaveBank();
    WaveBank(const WaveBank &) = delete;
    WaveBank &operator=(const WaveBank &) = delete;

    // Starts the sound and returns at once.
    void play(const QString &file);
    // The file whose sound started last, or the default sound's name in its place.
    QString lastStarted() const { return m_lastStarted; }
    // What the output reads from.
    WaveStream &stream() { return m_stream; }

private:
    struct Decoded {
        qint64 size = -1; // -1: no such file
        QDateTime modified;
        std::shared_ptr<const WaveSound> sound; // null: not playable
        std::shared_ptr<std::jthread> decoding; // stopped and joined when the entry goes
    };
    // The file's sound as the file is now, decoded only when it is new or has changed.
    std::shared_ptr<const WaveSound> decoded(const QString &file);

    QString m_defaultSound;
    std::shared_ptr<const WaveSound> m_default;
    bool m_defaultLoaded = false;
    QHash<QString, Decoded> m_decoded;
    QString m_lastStarted;
    WaveStream m_stream;
    std::unique_ptr<PulseOutput> m_output;
};
