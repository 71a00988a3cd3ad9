// SPDX-License-Identifier: MIT
#pragma once

// What the tests of the game's windows reach for: the rig on fakes, every window and its controls, QTest.
#include "fakes/FakeServices.h"
#include "game/rules/Ammunition.h"
#include "game/rules/Level.h"
#include "platform/ClickLabel.h"
#include "platform/ImageControl.h"
#include "platform/PictureBox.h"
#include "scores/frmName.h"
#include "scores/frmScores.h"
#include "settings/frmColors.h"
#include "settings/frmSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// tmrVeryEasy, tmrEasy, tmrHard, tmrVeryHard, tmrTime, tmrWinScore.
inline std::vector<bool> timerFlags(const frmPlinkard &w) {
    return {w.tmrVeryEasy->isEnabled(), w.tmrEasy->isEnabled(), w.tmrHard->isEnabled(),
            w.tmrVeryHard->isEnabled(), w.tmrTime->isEnabled(), w.tmrWinScore->isEnabled()};
}

inline std::vector<bool> playingAt(int level) { return {level == 0, level == 1, level == 2, level == 3, true, true}; }

// Shows a target the way a motion tick would, then shoots it.
inline void hit(frmPlinkard &w, int index) {
    w.imgShoot.at(static_cast<size_t>(index))->show();
    w.imgShoot_Click(index);
}

inline void selectLevel(frmPlinkard &w, int level) { w.optLevel.at(static_cast<size_t>(level))->setChecked(true); }
