// Settings edited by hand: any texts under the eight keys, read into the settings
// window and the main window's switches, then saved by Okay and read again.
#include "FuzzApp.h"
#include "FuzzInput.h"
#include "fakes/FakeServices.h"
#include "game/Forms.h"
#include "platform/Controls.h"
#include "settings/StoredSettings.h"
#include "settings/frmSettings.h"
#include "sound/modPlinkard.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRegularExpression>
#include <memory>

namespace {
struct Rig {
    FakeServices fakes;
    modPlinkard mod{fakes.sound, fakes.files};
    Forms forms{fakes.services, mod};
};
Rig *rig = nullptr;

const std::array<QString, 8> Keys{StoredSettings::Midi,      StoredSettings::Wave,        StoredSettings::WinningScore,
                                  StoredSettings::WinScore,  StoredSettings::ChangeSpeed, StoredSettings::ExtraPoints,
                                  StoredSettings::MidiOnOff, StoredSettings::WaveOnOff};

int expectedCheck(const std::optional<QString> &stored, int defaultValue) {
    if (!stored) {
        return defaultValue;
    }
    const QString t = stored->trimmed();
    return t == u"0" ? 0 : (t == u"1" ? 1 : defaultValue);
}

struct Boxes {
    QString midi, wave, winning;
    int winScore, chgSpd, points;
};

Boxes read(frmSettings &s) {
    return {s.txtMidi->text(),    s.txtWave->text(),  s.txtWinScore->text(),
            value(s.chkWinScore), value(s.chkChgSpd), value(s.chkPoints)};
}

// No event loop runs here: hand out what the widgets posted, or the queue grows with every input.
void flushEvents() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void unload() {
    if (rig->forms.isSettingsLoaded()) {
        Forms::unload(&rig->forms.settings());
    }
    flushEvents();
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    startFuzzApplication();
    rig = new Rig;
    rig->mod.AppFolder = rig->fakes.files.folder + u'/';
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto fields = fuzzFields(data, size);
    MemoryStore &store = rig->fakes.store;
    store.values.clear();
    store.writes.clear();
    // A field that is exactly "\x7f" stands for a key the store does not have.
    std::array<std::optional<QString>, 8> stored;
    for (size_t i = 0; i < Keys.size(); ++i) {
        const QByteArray raw = fuzzField(fields, i);
        if (i < fields.size() && raw != "\x7f") {
            stored.at(i) = QString::fromUtf8(raw);
            store.set(Keys.at(i), *stored.at(i));
        }
    }

    // The main window's two switches.
    for (size_t i : {6U, 7U}) {
        const int v = StoredSettings::checkValue(
            store.read(StoredSettings::App, StoredSettings::Section, Keys.at(i), QStringLiteral("1")), 1);
        FUZZ_CHECK(v == expectedCheck(stored.at(i), 1));
    }

    // The settings window: paths as stored, the winning score only if it is digits alone.
    const QString folder = rig->mod.AppFolder;
    Boxes first = read(rig->forms.settings());
    FUZZ_CHECK(first.midi == stored.at(0).value_or(folder + QStringLiteral("snot.mid")));
    FUZZ_CHECK(first.wave == stored.at(1).value_or(folder + QStringLiteral("mchgun.wav")));
    const QString winning = stored.at(2).value_or(StoredSettings::DefaultWinningScore);
    static const QRegularExpression digitsOnly(QStringLiteral("\\A[0-9]*\\z"));
    FUZZ_CHECK(first.winning == (digitsOnly.match(winning).hasMatch() ? winning : StoredSettings::DefaultWinningScore));
    FUZZ_CHECK(first.winScore == expectedCheck(stored.at(3), 0));
    FUZZ_CHECK(first.chgSpd == expectedCheck(stored.at(4), 1));
    FUZZ_CHECK(first.points == expectedCheck(stored.at(5), 1));

    // Okay stores what the boxes show, and reading that back shows the same boxes.
    rig->forms.settings().cmdOk_Click();
    flushEvents();
    FUZZ_CHECK(!rig->forms.isSettingsLoaded());
    FUZZ_CHECK(store.writes.size() == 6);
    const Boxes saved = read(rig->forms.settings());
    FUZZ_CHECK(saved.winning == first.winning && saved.winScore == first.winScore && saved.chgSpd == first.chgSpd &&
               saved.points == first.points);
    FUZZ_CHECK(saved.midi == rig->mod.ShortPath(first.midi) && saved.wave == rig->mod.ShortPath(first.wave));
    unload();
    return 0;
}
