#pragma once

#include "platform/ColorDialogs.h"
#include "platform/FileDialogs.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramControl.h"
#include "platform/SeededRandom.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/SoundSystem.h"

// Services that answer at once and keep nothing, so a handler's time is its own.
class QuietBoxes final : public MessageBoxes {
public:
    MsgResult show(QWidget *, const QString &, int style, const QString &) override {
        return (style & 7) == MsgStyle::YesNo ? MsgResult::Yes : MsgResult::Ok;
    }
};

class NoFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(QWidget *, const QString &, const QString &, const QString &) override {
        return std::nullopt;
    }
};

class NoColorDialogs final : public ColorDialogs {
public:
    std::optional<uint32_t> chooseColor(QWidget *, const QString &, uint32_t) override { return std::nullopt; }
};

// Every key reads as its default; writes are dropped.
class DefaultsStore final : public SettingsStore {
public:
    QString read(const QString &, const QString &, const QString &, const QString &defaultValue) override {
        return defaultValue;
    }
    void write(const QString &, const QString &, const QString &, const QString &) override {}
};

// A program folder that holds the score file and the sounds.
class ProgramFolder final : public Files {
public:
    explicit ProgramFolder(QString folder) : m_folder(std::move(folder)) {}
    QString programFolder() override { return m_folder; }
    bool isRegularFile(const QString &path) override { return path.startsWith(m_folder + u'/'); }
    std::optional<QByteArray> readAll(const QString &path) override;
    QString canonicalPath(const QString &path) override { return path.startsWith(m_folder) ? path : QString(); }

private:
    QString m_folder;
};

class KeepRunning final : public ProgramControl {
public:
    void endNow(int) override {}
    void beep() override {}
};

class SilentSound final : public SoundSystem {
public:
    int outputDeviceCount() override { return 1; }
    void openSequencer(const QString &, const QString &) override {}
    void playFromStart(const QString &) override {}
    void close(const QString &) override {}
    void playWave(const QString &) override {}
};

// Quiet services around a sound system: the silent one, or the real one with the program's folder
// holding the real sounds.
struct BenchServices {
    BenchServices() : BenchServices(silent, QStringLiteral("/opt/plinkard")) {}
    BenchServices(SoundSystem &sound_, const QString &folder) : files(folder), sound(sound_) {}

    QuietBoxes messages;
    NoFileDialogs fileDialogs;
    NoColorDialogs colorDialogs;
    DefaultsStore store;
    ProgramFolder files;
    SeededRandom random;
    KeepRunning program;
    SilentSound silent;
    SoundSystem &sound;
    Services services{messages, fileDialogs, colorDialogs, store, files, random, program, sound};
};
