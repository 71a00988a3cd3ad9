#pragma once

#include "platform/SoundSystem.h"

// Music through FluidSynth into a Qt audio sink, wave sounds through Qt Multimedia.
class QtSoundSystem final : public SoundSystem {
public:
    int outputDeviceCount() override;
    void openSequencer(const QString &file, const QString &alias) override;
    void playFromStart(const QString &alias) override;
    void close(const QString &alias) override;
    void playWave(const QString &file) override;
};
