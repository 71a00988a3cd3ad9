// SPDX-License-Identifier: MIT
#pragma once

#include "FuzzInput.h"
#include "fakes/GameRig.h"
#include "platform/Controls.h"
#include "settings/frmSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>

// The game on fakes, once for the whole run, on the offscreen platform; no event loop runs.
inline GameRig &fuzzRig() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz", *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    static GameRig rig;
    static frmPlinkard &started = rig.start();
    (void)started;
    return rig;
}
