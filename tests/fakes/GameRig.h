// SPDX-License-Identifier: MIT
#pragma once

#include "FakeServices.h"
#include "game/Forms.h"
#include "game/frmPlinkard.h"
#include "game/modPlinkard.h"
#include "platform/Timer.h"

#include <memory>

// The game as the program starts it, on fakes; timers never tick by themselves.
struct GameRig {
    FakeServices fakes;
    modPlinkard mod{fakes.sound, fakes.files};
    std::unique_ptr<Forms> forms;

    // Creates the main window and runs Form_Load; call after arranging the fakes.
    frmPlinkard &start() {
        Timer::setManualTicks(true);
        forms = std::make_unique<Forms>(fakes.services, mod);
        return forms->main();
    }
    frmPlinkard &game() { return forms->main(); }
};
