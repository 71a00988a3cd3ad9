#pragma once

#include "FakeServices.h"
#include "game/Forms.h"
#include "game/frmPlinkard.h"
#include "sound/modPlinkard.h"

#include <memory>

// The game as the program starts it, on fakes. Timers are stopped after start-up:
// tests drive the tick handlers themselves.
struct GameRig {
    FakeServices fakes;
    modPlinkard mod{fakes.sound, fakes.files};
    std::unique_ptr<Forms> forms;

    // Creates the main window and runs Form_Load; call after arranging the fakes.
    frmPlinkard &start();
    frmPlinkard &game() { return forms->main(); }
};
