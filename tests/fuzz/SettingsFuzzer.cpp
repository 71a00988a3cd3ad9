// Settings edited by hand: any texts under the six keys of the settings window, read into it,
// saved by Okay and read again, must show the same boxes.
#include "FuzzApp.h"
#include "FuzzInput.h"
#include "fakes/GameRig.h"
#include "platform/Controls.h"
#include "settings/StoredSettings.h"
#include "settings/frmSettings.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

namespace {
GameRig *rig = nullptr;

QStringList boxes(frmSettings &s) {
    return {s.txtWinScore->text(), QString::number(value(s.chkWinScore)), QString::number(value(s.chkChgSpd)),
            QString::number(value(s.chkPoints)), s.txtMidi->text()};
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    startFuzzApplication();
    rig = new GameRig;
    rig->start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace StoredSettings;
    const auto fields = fuzzFields(data, size, 6);
    rig->fakes.store.values.clear();
    const std::array<QString, 6> keys{Midi, Wave, WinningScore, WinScore, ChangeSpeed, ExtraPoints};
    for (size_t i = 0; i < keys.size(); ++i) {
        if (fields[i] != "\x7f") { // stands for a key the store does not have
            rig->fakes.store.set(keys.at(i), QString::fromUtf8(fields[i]));
        }
    }
    QStringList shown = boxes(rig->forms->settings());
    FUZZ_CHECK(std::ranges::all_of(shown[0], [](QChar c) { return c >= u'0' && c <= u'9'; })); // digits or nothing
    FUZZ_CHECK(QStringList({"0", "1"}).contains(shown[1]) && QStringList({"0", "1"}).contains(shown[2]) &&
               QStringList({"0", "1"}).contains(shown[3]));
    rig->forms->settings().cmdOk_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // no event loop runs here
    FUZZ_CHECK(!rig->forms->isSettingsLoaded());
    shown[4] = rig->mod.ShortPath(shown[4]);
    FUZZ_CHECK(boxes(rig->forms->settings()) == shown);
    Forms::unload(&rig->forms->settings());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
