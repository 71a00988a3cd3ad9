// SPDX-License-Identifier: MIT
// The main window's motion: at each tick of the level's timer, targets appear, vanish and move on the grid.
#include "frmPlinkard.h"

#include "Forms.h"
#include "game/rules/TargetRules.h"
#include "platform/ImageControl.h"
#include "platform/RandomSource.h"
#include "platform/Services.h"
#include "platform/Twips.h"

#include <algorithm>

int frmPlinkard::drawTarget() {
    const auto u = static_cast<double>(m_forms.services.random.next());
    return std::clamp(static_cast<int>(u * MotionTargetCount + 1), 1, MotionTargetCount);
}

void frmPlinkard::motionTick(int hides) {
    auto &random = m_forms.services.random;
    int targetIndex = drawTarget();
    imgShoot.at(static_cast<size_t>(targetIndex))->show();
    for (int i = 0; i < hides; ++i) {
        targetIndex = drawTarget();
        imgShoot.at(static_cast<size_t>(targetIndex))->hide();
    }
    // Until Form_Load has filled the grid (its start-up boxes let ticks run) there is no cell to
    // move to, and a target moved to a failed draw's empty place would stand off the grid.
    if (colLefts.empty() || colTops.empty()) {
        return;
    }
    auto draw = [&random](const std::vector<int16_t> &list) {
        const auto n = list.size();
        return list[std::min(static_cast<size_t>(static_cast<double>(random.next()) * static_cast<double>(n)), n - 1)];
    };
    // The last target hidden moves to a cell drawn column first, then row.
    const int16_t nextLeft = draw(colLefts);
    const int16_t nextTop = draw(colTops);
    imgShoot.at(static_cast<size_t>(targetIndex))->move(m_origin + QPoint(px(nextLeft), px(nextTop)));
}

void frmPlinkard::tmrVeryEasy_Timer() { motionTick(1); }
void frmPlinkard::tmrEasy_Timer() { motionTick(6); }
void frmPlinkard::tmrHard_Timer() { motionTick(7); }
void frmPlinkard::tmrVeryHard_Timer() { motionTick(7); }
