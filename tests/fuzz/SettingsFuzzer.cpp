// SPDX-License-Identifier: MIT
// Catches a hand-edited setting shown as something Okay cannot store, or stored as something else.
#include "FuzzApp.h"
#include "settings/StoredSettings.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace StoredSettings;
    GameRig &rig = fuzzRig();
    const auto fields = fuzzFields(data, size, 6);
    const std::array<QString, 6> keys{Midi, Wave, WinningScore, WinScore, ChangeSpeed, ExtraPoints};
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
    return 0;
}
