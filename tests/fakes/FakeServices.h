// SPDX-License-Identifier: MIT
#pragma once

#include "game/Forms.h"
#include "game/frmPlinkard.h"
#include "game/modPlinkard.h"
#include "platform/ColorDialogs.h"
#include "platform/FileDialogs.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/PictureDecoder.h"
#include "platform/ProgramControl.h"
#include "platform/SeededRandom.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/SoundSystem.h"
#include "platform/TickSource.h"
#include "platform/Timer.h"

#include <QMap>
#include <QStringList>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

// Failures print texts as texts, in checks and in their messages.
inline std::ostream &operator<<(std::ostream &out, const QString &text) { return out << text.toStdString(); }
inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text << '"'; }

template <typename T> T nextAnswer(std::deque<T> &answers, T none) {
    T answer = answers.empty() ? none : answers.front();
    answers.erase(answers.begin(), answers.begin() + (answers.empty() ? 0 : 1));
    return answer;
}

struct ShownBox {
    QString prompt;
    int style;
    QString title, owner; // the owner's window title
};

// Records every box; answers from a script, else Ok / Yes. `during` runs while a box is "open".
struct FakeMessageBoxes final : MessageBoxes {
    MsgResult show(QWidget *owner, const QString &prompt, int style, const QString &title) override;
    std::vector<ShownBox> shown;
    std::deque<MsgResult> answers;
    std::function<void(const ShownBox &)> during;
};

// Pickers answering from a script; an empty script cancels. With `real` set, that dialog answers. Each records the
// folder it starts in.
struct FakeFileDialogs final : FileDialogs {
    std::optional<QString> openFile(QWidget *o, const QString &t, const QString &f, const QString &d) override {
        folders << d;
        return real ? real->openFile(o, t, f, d) : nextAnswer<std::optional<QString>>(answers, std::nullopt);
    }
    QStringList folders;
    std::deque<std::optional<QString>> answers;
    FileDialogs *real = nullptr;
};

struct FakeColorDialogs final : ColorDialogs {
    std::optional<uint32_t> chooseColor(QWidget *, const QString &, uint32_t) override {
        return nextAnswer<std::optional<uint32_t>>(answers, std::nullopt);
    }
    std::deque<std::optional<uint32_t>> answers;
};

// The store as a map "app/section/key" -> value. A value written outside a Batch, which a kill could separate from
// the rest of its save, is marked " (alone)".
struct MemoryStore final : SettingsStore {
    QString read(const QString &app, const QString &section, const QString &key, const QString &defaultValue) override {
        return values.value(app + u'/' + section + u'/' + key, defaultValue);
    }
    void write(const QString &app, const QString &section, const QString &key, const QString &value) override {
        values.insert(app + u'/' + section + u'/' + key, batches > 0 ? value : value + QStringLiteral(" (alone)"));
    }
    void beginWrites() override { ++batches; }
    void endWrites() override { --batches; }
    int batches = 0;
    void set(const QString &key, const QString &v) { values.insert(QStringLiteral("Brindlecot/Plinkard/") + key, v); }
    // What is stored now, as "key=value" joined by "|", by key.
    QString dump() const {
        QStringList out;
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            out << it.key().section(u'/', 2) + u'=' + it.value();
        }
        return out.join(u'|');
    }
    QMap<QString, QString> values;
};

// A program folder with files held in memory; everything else does not exist.
struct FakeFiles final : Files {
    QString programFolder() override { return folder; }
    bool isRegularFile(const QString &path) override { return files.contains(path); }
    std::optional<QByteArray> readStart(const QString &path, qint64 maxBytes) override {
        return files.contains(path) && !unreadable.contains(path) ? std::optional(files.value(path).left(maxBytes))
                                                                  : std::nullopt;
    }
    QString existingPath(const QString &path) override {
        return files.contains(path) || folders.contains(path) ? path : QString();
    }
    QString folder = QStringLiteral("/opt/plinkard");
    QMap<QString, QByteArray> files;
    QStringList folders{QStringLiteral("/opt/plinkard")};
    QStringList unreadable;
};

struct FakeProgram final : ProgramControl {
    void endNow(int exitCode) override { endedWith = exitCode; }
    void beep() override { ++beeps; }
    std::optional<int> endedWith;
    int beeps = 0;
};

// Records every call in order as text: "devices", "open <file> <alias>", "play <alias>", "close <alias>" ...
struct FakeSound final : SoundSystem {
    int outputDeviceCount() override { return calls << QStringLiteral("devices"), devices; }
    void openSequencer(const QString &file, const QString &alias) override { calls << "open " + file + u' ' + alias; }
    void playFromStart(const QString &alias) override { calls << "play " + alias; }
    void close(const QString &alias) override { calls << "close " + alias; }
    void playWave(const QString &file) override { calls << "wave " + file; }
    QStringList waves() const { return calls.filter(QStringLiteral("wave ")).replaceInStrings("wave ", ""); }
    int devices = 1;
    QStringList calls;
};

// Timers never tick by themselves: a test calls the tick handlers.
struct NoTicks final : TickSource {
    void start(QTimer & /*timer*/) override {}
};

// Decodes at once, in the test's own process.
struct FakePictures final : PictureFiles {
    void decode(int, const QString &path, std::function<void(const QImage &)> done) override {
        done(decodePicture(path));
    }
};

// A full set of fakes, a real sound system in place of `sound` if given; a score file is in place, so start-up passes
// unless a test removes it.
struct FakeServices {
    explicit FakeServices(SoundSystem *real = nullptr);
    FakeMessageBoxes messages;
    FakeFileDialogs fileDialogs;
    FakeColorDialogs colorDialogs;
    MemoryStore store;
    FakeFiles files;
    SeededRandom random;
    FakeProgram program;
    FakeSound sound;
    NoTicks ticks;
    FakePictures pictures;
    Services services;
};

// The game as the program starts it, on fakes; timers never tick by themselves.
struct GameRig {
    explicit GameRig(SoundSystem *sound = nullptr) : fakes(sound), mod(fakes.services.sound, fakes.files) {}
    FakeServices fakes;
    modPlinkard mod;
    std::unique_ptr<Forms> forms;

    // Creates the main window and runs Form_Load; call after arranging the fakes.
    frmPlinkard &start() {
        forms = std::make_unique<Forms>(fakes.services, mod);
        return forms->main();
    }
};
