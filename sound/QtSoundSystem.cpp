#include "QtSoundSystem.h"

#include <QAudioDevice>
#include <QMediaDevices>

int QtSoundSystem::outputDeviceCount() { return static_cast<int>(QMediaDevices::audioOutputs().size()); }

void QtSoundSystem::openSequencer(const QString & /*file*/, const QString & /*alias*/) {}

void QtSoundSystem::playFromStart(const QString & /*alias*/) {}

void QtSoundSystem::close(const QString & /*alias*/) {}

void QtSoundSystem::playWave(const QString & /*file*/) {}
