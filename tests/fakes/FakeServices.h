#pragma once

#include "platform/ColorDialogs.h"
#include "platform/FileDialogs.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramControl.h"
#include "platform/RandomSource.h"
#include "platform/SeededRandom.h"
#include "platform/Services.h"
#include "platform/SettingsStore.h"
#include "platform/SoundSystem.h"

#include <QMap>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

struct ShownBox {
    QString prompt;
    int style;
    QString title;
};

// Records every box; answers from a script (Ok / Yes when the script is empty).
// `during` runs while a box is "open", as a nested event loop would run timers.
class FakeMessageBoxes final : public MessageBoxes {
public:
    MsgResult show(QWidget *owner, const QString &prompt, int style, const QString &title) override;
    std::vector<ShownBox> shown;
    std::deque<MsgResult> answers;
    std::function<void(const ShownBox &)> during;
};

class FakeFileDialogs final : public FileDialogs {
public:
    std::optional<QString> openFile(QWidget *owner, const QString &title, const QString &filter,
                                    const QString &startFolder) override;
    struct Call {
        QString title, filter, startFolder;
    };
    std::vector<Call> calls;
    std::deque<std::optional<QString>> answers; // empty: cancel
};

class FakeColorDialogs final : public ColorDialogs {
public:
    std::optional<uint32_t> chooseColor(QWidget *owner, const QString &title, uint32_t current) override;
    struct Call {
        QString title;
        uint32_t current;
    };
    std::vector<Call> calls;
    std::deque<std::optional<uint32_t>> answers; // empty: cancel
};

// The store as a map "app/section/key" -> value, with every write recorded in order.
class MemoryStore final : public SettingsStore {
public:
    QString read(const QString &app, const QString &section, const QString &key, const QString &defaultValue) override;
    void write(const QString &app, const QString &section, const QString &key, const QString &value) override;
    static QString path(const QString &key);
    QString value(const QString &key) const { return values.value(path(key)); }
    bool has(const QString &key) const { return values.contains(path(key)); }
    void set(const QString &key, const QString &v) { values.insert(path(key), v); }
    QMap<QString, QString> values;
    QStringList writes;         // "key=value" in order
    QList<QStringList> batches; // the writes of each finished batch, in order

protected:
    void beginWrites() override { ++m_batchDepth; }
    void endWrites() override;

private:
    int m_batchDepth = 0;
    QStringList m_batch;
};

// A program folder with files held in memory; everything else does not exist.
class FakeFiles final : public Files {
public:
    QString programFolder() override { return folder; }
    bool isRegularFile(const QString &path) override { return files.contains(path); }
    std::optional<QByteArray> readAll(const QString &path) override;
    QString canonicalPath(const QString &path) override;
    QString folder = QStringLiteral("/opt/plinkard");
    QMap<QString, QByteArray> files;
    QStringList folders{QStringLiteral("/opt/plinkard")};
    QStringList unreadable;
};

class FakeProgram final : public ProgramControl {
public:
    void endNow(int exitCode) override { endedWith = exitCode; }
    void beep() override { ++beeps; }
    std::optional<int> endedWith;
    int beeps = 0;
};

// Records every call in order as text: "devices", "open <file> <alias>", "play <alias>", "close <alias>", "wave <file>".
class FakeSound final : public SoundSystem {
public:
    int outputDeviceCount() override;
    void openSequencer(const QString &file, const QString &alias) override;
    void playFromStart(const QString &alias) override;
    void close(const QString &alias) override;
    void playWave(const QString &file) override;
    int devices = 1;
    QStringList calls;
    QStringList waves() const;
};

// A full set of fakes; a score file is in place, so start-up passes unless a test removes it.
struct FakeServices {
    FakeServices();
    FakeMessageBoxes messages;
    FakeFileDialogs fileDialogs;
    FakeColorDialogs colorDialogs;
    MemoryStore store;
    FakeFiles files;
    SeededRandom random;
    FakeProgram program;
    FakeSound sound;
    Services services{messages, fileDialogs, colorDialogs, store, files, random, program, sound};

    static QByteArray defaultScoreFile();
};
