// SPDX-License-Identifier: MIT
#pragma once

#include "platform/SoundSystem.h"

#include <QThread>

class FluidMusic;
class WaveBank;

// Music through FluidSynth into a sound-server stream of its own, and short sounds from WAV files
// into a Qt audio sink. Both live on a sound thread: the calls here only post to it, so neither the
// outputs nor their timers wake the user-interface thread. This is the sound module's whole
// interface, created through plinkard_create_sound_system().
class QtSoundSystem final : public SoundSystem {
public:
    QtSoundSystem();
    ~QtSoundSystem() override;
    QtSoundSystem(const QtSoundSystem &) = delete;
    QtSoundSystem &operator=(const QtSoundSystem &) = delete;

    int outputDeviceCount() override;
    void openSequencer(const QString &file, const QString &alias) override;
    void playFromStart(const QString &alias) override;
    void close(const QString &alias) override;
    void playWave(const QString &file) override;

    // Our own sound for a file that cannot be played.
    static QString defaultSound();

private:
    template <typename Fn> void post(Fn &&fn);

    QThread m_thread;
    QObject *m_context; // lives on m_thread
    // Created, used and deleted on m_thread only.
    FluidMusic *m_music = nullptr;
    WaveBank *m_waves = nullptr;
};

// What the program resolves in the module.
extern "C" Q_DECL_EXPORT SoundSystem *plinkard_create_sound_system();
