// SPDX-License-Identifier: MIT
// Catches "You made it!" asked unless, or not asked when, the score is a number above the winning one.
#include "FuzzApp.h"
#include "game/rules/Decimal.h"
#include "platform/Timer.h"

#include <QLabel>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    GameRig &rig = fuzzRig();
    const auto fields = fuzzFields(data, size, 3);
    const QString score = QString::fromUtf8(fields[0]), winning = QString::fromUtf8(fields[1]);
    const bool off = fields[2].startsWith('1');
    frmPlinkard &game = rig.game();
    setCaption(game.lblScore, score);
    rig.forms->settings().txtWinScore->setText(winning);
    setValue(rig.forms->settings().chkWinScore, off ? 1 : 0);
    game.tmrWinScore->setEnabled(true);
    rig.fakes.messages.shown.clear();
    game.tmrWinScore->fire();
    const auto order = Decimal::compare(score, winning);
    const bool asked = !off && order && *order > 0;
    FUZZ_CHECK(rig.fakes.messages.shown.size() == (asked ? 1U : 0U) && game.tmrWinScore->isEnabled() == !asked);
    FUZZ_CHECK(game.lblScore->text() == score);
    QCoreApplication::sendPostedEvents();
    return 0;
}
