// SPDX-License-Identifier: MIT
#pragma once

#include "platform/SoundSystem.h"

class QObject;
class QThread;

// Music through FluidSynth and short sounds from WAV files, each into a sound-server stream of its
// own. Both live on a sound thread: the calls here only post to it, so neither output wakes the
// user-interface thread. This is the sound module's whole interface, created through
// plinkard_create_sound_system().
class QtSoundSystem final : public SoundSystem {
public:
    QtSoundSystem();
    // Shuts down, if that has not been done.
    ~QtSoundSystem() override;
    QtSoundSystem(const QtSoundSystem &) = delete;
    QtSoundSystem &operator=(const QtSoundSystem &) = delete;

    void openSequencer(const QString &file, const QString &alias) override;
    void playFromStart(const QString &alias) override;
    void close(const QString &alias) override;
    void playWave(const QString &file) override;
    // Waits a bounded time for the sound thread to close its outputs, so no file or server can hold
    // up the end of the program.
    bool shutDown() override;

    // Our own sound for a file that cannot be played.
    static QString defaultSound();

private:
    struct Devices;
    template <typename Fn> void post(Fn &&fn);

    QThread *m_thread;
    QObject *m_context; // lives on m_thread; null once shut down
    bool m_leftBehind = false;
    // Created, used and deleted on m_thread only; the posted calls hold this, never the object.
    Devices *m_devices;
};

// What the program resolves in the module: the version of this interface, checked before the module is
// mapped, and the sound system.
extern "C" Q_DECL_EXPORT const char plinkard_sound_interface[];
extern "C" Q_DECL_EXPORT SoundSystem *plinkard_create_sound_system();
