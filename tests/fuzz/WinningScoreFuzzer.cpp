// The winning-score check with any score caption and any winning-score box:
// the question comes exactly when the score is a number above a number.
#include "FuzzApp.h"
#include "FuzzInput.h"
#include "fakes/GameRig.h"
#include "platform/Controls.h"
#include "platform/Timer.h"
#include "settings/frmSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {
GameRig *rig = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    startFuzzApplication();
    rig = new GameRig;
    rig->start();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto fields = fuzzFields(data, size);
    const QString score = QString::fromUtf8(fuzzField(fields, 0));
    const QString winning = QString::fromUtf8(fuzzField(fields, 1));
    const bool noWinningScore = fuzzField(fields, 2).startsWith('1');

    frmPlinkard &game = rig->game();
    frmSettings &settings = rig->forms->settings();
    setCaption(game.lblScore, score);
    settings.txtWinScore->setText(winning);
    setValue(settings.chkWinScore, noWinningScore ? 1 : 0);
    game.tmrWinScore->setEnabled(true);
    rig->fakes.messages.shown.clear();

    game.tmrWinScore->fire();
    const auto order = refCompare(score, winning);
    const bool expected = !noWinningScore && order && *order > 0;
    FUZZ_CHECK(rig->fakes.messages.shown.size() == (expected ? 1U : 0U));
    FUZZ_CHECK(game.tmrWinScore->isEnabled() == !expected);
    FUZZ_CHECK(game.lblScore->text() == score);
    // No event loop runs here: hand out what the widgets posted, or the queue grows with every input.
    QCoreApplication::sendPostedEvents();
    return 0;
}
