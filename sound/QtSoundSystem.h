#pragma once

#include "FluidMusic.h"
#include "WaveBank.h"
#include "platform/SoundSystem.h"

// Music through FluidSynth and short sounds from WAV files, each into a Qt audio sink of its own.
// Nothing costly happens before the music is first opened.
class QtSoundSystem final : public SoundSystem {
public:
    QtSoundSystem();

    int outputDeviceCount() override;
    void openSequencer(const QString &file, const QString &alias) override;
    void playFromStart(const QString &alias) override;
    void close(const QString &alias) override;
    void playWave(const QString &file) override;

    // Our own sound for a file that cannot be played.
    static QString defaultSound();

private:
    FluidMusic m_music;
    WaveBank m_waves;
};
