// Settings edited by hand: any texts under the six keys of the settings window, read into it,
// saved by Okay and read again, must show the same boxes.
#include "FuzzApp.h"
#include "FuzzInput.h"
#include "fakes/FakeServices.h"
#include "game/Forms.h"
#include "platform/Controls.h"
#include "settings/KeyFilter.h"
#include "settings/StoredSettings.h"
#include "settings/frmSettings.h"
#include "sound/modPlinkard.h"

#include <QCheckBox>
#include <QLineEdit>

namespace {
struct Rig {
    FakeServices fakes;
    modPlinkard mod{fakes.sound, fakes.files};
    Forms forms{fakes.services, mod};
};
Rig *rig = nullptr;

QStringList boxes(frmSettings &s) {
    return {s.txtWinScore->text(), QString::number(Value(s.chkWinScore)), QString::number(Value(s.chkChgSpd)),
            QString::number(Value(s.chkPoints))};
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    startFuzzApplication();
    rig = new Rig;
    rig->mod.AppFolder = rig->fakes.files.folder + u'/';
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    using namespace StoredSettings;
    const auto fields = fuzzFields(data, size, 6);
    MemoryStore &store = rig->fakes.store;
    store.values.clear();
    const std::array<QString, 6> keys{Midi, Wave, WinningScore, WinScore, ChangeSpeed, ExtraPoints};
    for (size_t i = 0; i < keys.size(); ++i) {
        if (fields[i] != "\x7f") { // stands for a key the store does not have
            store.set(keys.at(i), QString::fromUtf8(fields[i]));
        }
    }
    frmSettings &first = rig->forms.settings();
    const QStringList shown = boxes(first);
    const QString midi = first.txtMidi->text();
    FUZZ_CHECK(textPasses(shown[0], "N")); // only what typing could enter
    for (int i = 1; i < 4; ++i) {
        FUZZ_CHECK(shown[i] == "0" || shown[i] == "1");
    }
    first.cmdOk_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); // no event loop runs here
    FUZZ_CHECK(!rig->forms.isSettingsLoaded());
    frmSettings &again = rig->forms.settings();
    FUZZ_CHECK(boxes(again) == shown && again.txtMidi->text() == rig->mod.ShortPath(midi));
    Forms::Unload(&again);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}
