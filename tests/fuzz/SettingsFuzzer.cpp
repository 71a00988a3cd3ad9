// SPDX-License-Identifier: MIT
// Catches a hand-edited setting shown as something Okay cannot store, or stored as something else; with the seventh
// field as the shared file, a write that changes a line not ours or reads back otherwise.
#include "FuzzInput.h"
#include "fakes/FakeServices.h"
#include "platform/Controls.h"
#include "platform/IniText.h"
#include "platform/QSettingsStore.h"
#include "platform/RegularFile.h"
#include "settings/StoredSettings.h"
#include "settings/frmSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {
// The game on fakes, once for the whole run, on the offscreen platform; no event loop runs.
GameRig &fuzzRig() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz", *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    static GameRig rig;
    [[maybe_unused]] static frmPlinkard &started = rig.start();
    return rig;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace StoredSettings;
    GameRig &rig = fuzzRig();
    const auto fields = fuzzFields(data, size, 8);
    // The last two keys, and the seventh field (the shared file below), mean nothing to the window.
    const std::array<QString, 8> keys{Midi,        Wave,        WinningScore, WinScore,
                                      ChangeSpeed, ExtraPoints, MidiOnOff,    WaveOnOff};
    rig.fakes.store.values.clear();
    for (size_t i = 0; i < keys.size(); ++i) {
        if (fields[i] != "\x7f") { // stands for a key the store does not have
            rig.fakes.store.set(keys.at(i), QString::fromUtf8(fields[i]));
        }
    }
    auto shown = [](frmSettings &s) {
        return QStringList{s.txtWinScore->text(), QString::number(value(s.chkWinScore)),
                           QString::number(value(s.chkChgSpd)), QString::number(value(s.chkPoints)), s.txtMidi->text()};
    };
    QStringList before = shown(rig.forms->settings());
    static const QRegularExpression digitsAndSwitches(QStringLiteral("^[0-9]*,[01],[01],[01]$"));
    FUZZ_CHECK(digitsAndSwitches.match(before.mid(0, 4).join(u',')).hasMatch());
    rig.forms->settings().cmdOk_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    FUZZ_CHECK(!rig.forms->isSettingsLoaded());
    before[4] = rig.mod.ShortPath(before[4]);
    FUZZ_CHECK(shown(rig.forms->settings()) == before);
    Forms::unload(&rig.forms->settings());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    const QTemporaryDir dir(QStringLiteral("/dev/shm/plinkard-fuzz-XXXXXX")); // no disk under each write
    QFile file(dir.filePath(App + ".ini"));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(fields[6]) == fields[6].size() && (file.close(), true));
    QSettingsStore store(dir.path());
    for (const QString &key : keys) {
        store.write(App, Section, key, pathFromNative(fields[0]));
    }
    const QByteArray after = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    for (const QString &key : keys) {
        FUZZ_CHECK(after == fields[6] || store.read(App, Section, key, QString()) == pathFromNative(fields[0]));
    }
    for (const QByteArray &line : QByteArray(fields[6]).replace('\r', '\n').split('\n')) {
        const auto ours = [&](const QString &k) {
            return IniText::unescapedKey(pathFromNative(line.trimmed())).startsWith(k);
        };
        FUZZ_CHECK(std::any_of(keys.begin(), keys.end(), ours) || after.contains(line));
    }
    return 0;
}
