#pragma once

#include "WaveFile.h"

#include <QIODevice>
#include <QMutex>
#include <memory>

// An endless stream for the effects' audio sink: the current sound, then silence. Starting a sound
// replaces the one still playing at once. The stream never runs dry, so the sink never stops on
// its own and cannot drop the end of a sound that is still queued in the server.
class WaveStream final : public QIODevice {
    Q_OBJECT
public:
    explicit WaveStream(QObject *parent = nullptr);

    // Plays the sound after `silentFrames` of silence.
    void start(std::shared_ptr<const WaveSound> sound, int silentFrames = 0);
    // Frames of the current sound not yet handed to the sink.
    int framesLeft() const;

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 maxSize) override;

private:
    mutable QMutex m_lock; // the sink may read on its own thread
    std::shared_ptr<const WaveSound> m_sound;
    size_t m_next = 0;    // next sample of m_sound
    qint64 m_silence = 0; // samples of silence before it
};
