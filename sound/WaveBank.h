// SPDX-License-Identifier: MIT
#pragma once

#include "WaveFile.h"
#include "WaveStream.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QThread>
#include <memory>

class WaveOutput;

// Short sounds through one audio output of their own, open for the whole run and written from a
// thread of its own, so a shot starts at the click and nothing wakes the caller's thread. A new
// sound cuts off the one still playing; a file that cannot be played plays the default sound.
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
    // What the output is written from.
    WaveStream &stream() { return m_stream; }

private:
    struct Decoded {
        qint64 size = -1; // -1: no such file
        QDateTime modified;
        std::shared_ptr<const WaveSound> sound; // null: not playable
    };
    // The file's sound as the file is now, decoded only when it is new or has changed.
    std::shared_ptr<const WaveSound> decoded(const QString &file);

    QString m_defaultSound;
    std::shared_ptr<const WaveSound> m_default;
    bool m_defaultLoaded = false;
    QHash<QString, Decoded> m_decoded;
    QString m_lastStarted;
    WaveStream m_stream;
    QThread m_thread;
    std::unique_ptr<WaveOutput> m_output;
};
