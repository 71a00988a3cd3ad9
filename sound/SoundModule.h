// SPDX-License-Identifier: MIT
#pragma once

#include "BackgroundLoad.h"
#include "platform/SoundSystem.h"

#include <QLibrary>
#include <QObject>
#include <QString>
#include <memory>

// The program's sound system. The real one (QtSoundSystem, with the sound server's client library,
// FluidSynth and the WAV libraries) is a module of its own, loaded on a thread once the first window
// has painted, so start-up maps none of those libraries. Until it is in, this remembers the music
// asked for, which then starts from its beginning; a shot meanwhile waits for the module, so no shot
// is lost. The device count comes from a light probe of the sound server and needs no module.
class SoundModule final : public QObject, public SoundSystem {
public:
    // The module beside the program, or the given file.
    explicit SoundModule(const QString &module = QString());
    ~SoundModule() override;

    int outputDeviceCount() override;
    void openSequencer(const QString &file, const QString &alias) override;
    void playFromStart(const QString &alias) override;
    void close(const QString &alias) override;
    void playWave(const QString &file) override;
    bool shutDown() override;

    // Null until the module is in, and when it cannot be loaded.
    SoundSystem *loaded() const { return m_sound.get(); }
    // Loads the module now, or waits for the load under way.
    void loadNow();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void customEvent(QEvent *event) override;

private:
    void startLoading();
    // Empty `refused` once the module is mapped.
    void takeModule(const QString &refused);

    QLibrary m_library;
    bool m_waitingForPaint = false;
    std::unique_ptr<SoundSystem> m_sound;
    // The music asked for before the module is in.
    QString m_alias;
    QString m_file;
    bool m_playing = false;
    BackgroundLoad<QString> m_loader; // last: it maps m_library; gives why the module is not mapped
};
