#pragma once

#include "fakes/GameRig.h"
#include "game/Ammunition.h"
#include "platform/ClickLabel.h"
#include "platform/ImageControl.h"
#include "platform/Timer.h"
#include "settings/frmSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>

inline int bulletsShown(const frmPlinkard &w) {
    int n = 0;
    for (const ImageControl *b : w.imgBullet) {
        n += b->isHidden() ? 0 : 1;
    }
    return n;
}

// Shows a target the way a motion tick would, then shoots it.
inline void hit(frmPlinkard &w, int index) {
    w.imgShoot.at(static_cast<size_t>(index))->show();
    w.imgShoot_Click(index);
}

inline QString score(const frmPlinkard &w) { return w.lblScore->text(); }

inline std::vector<bool> timerFlags(const frmPlinkard &w) {
    return {w.tmrVeryEasy->isEnabled(), w.tmrEasy->isEnabled(), w.tmrHard->isEnabled(),
            w.tmrVeryHard->isEnabled(), w.tmrTime->isEnabled(),  w.tmrWinScore->isEnabled()};
}

inline void selectLevel(frmPlinkard &w, int level) { w.optLevel.at(static_cast<size_t>(level))->setChecked(true); }
