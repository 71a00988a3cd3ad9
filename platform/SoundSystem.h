// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Music through a sequencer opened under an alias, wave sounds, and the device count.
// Failures are silent: no call reports an error.
class SoundSystem {
public:
    virtual ~SoundSystem() = default;
    // Asked before any sound plays; a sound system that is already playing has its device.
    virtual int outputDeviceCount() { return 1; }
    virtual void openSequencer(const QString &file, const QString &alias) = 0;
    virtual void playFromStart(const QString &alias) = 0;
    virtual void close(const QString &alias) = 0;
    // Returns at once; a new sound cuts off the one still playing.
    virtual void playWave(const QString &file) = 0;
    // Ends the sound within a bounded time, after which no call plays anything; false when a thread
    // of it is left behind, still running.
    virtual bool shutDown() { return true; }
};
