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
    QString programFolder() override { return QStringLiteral("/opt/plinkard"); }
    bool isRegularFile(const QString &path) override { return path.startsWith(QStringLiteral("/opt/plinkard/")); }
    std::optional<QByteArray> readAll(const QString &path) override;
    QString canonicalPath(const QString &path) override { return path.startsWith(programFolder()) ? path : QString(); }
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

struct BenchServices {
    QuietBoxes messages;
    NoFileDialogs fileDialogs;
    NoColorDialogs colorDialogs;
    DefaultsStore store;
    ProgramFolder files;
    SeededRandom random;
    KeepRunning program;
    SilentSound sound;
    Services services{messages, fileDialogs, colorDialogs, store, files, random, program, sound};
};
