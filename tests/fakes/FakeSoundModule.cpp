// SPDX-License-Identifier: MIT
// A sound module that only records what it is asked, for the tests of loading one.
#include "platform/SoundSystem.h"

#include <QStringList>

namespace {
QStringList calls;

class RecordingSound final : public SoundSystem {
public:
    int outputDeviceCount() override { return 1; }
    void openSequencer(const QString &file, const QString &alias) override { calls << "open " + file + ' ' + alias; }
    void playFromStart(const QString &alias) override { calls << "play " + alias; }
    void close(const QString &alias) override { calls << "close " + alias; }
    void playWave(const QString &file) override { calls << "wave " + file; }
};
} // namespace

extern "C" Q_DECL_EXPORT SoundSystem *plinkard_create_sound_system() { return new RecordingSound; }
extern "C" Q_DECL_EXPORT QStringList *plinkard_recorded_calls() { return &calls; }
