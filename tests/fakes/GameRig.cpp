#include "GameRig.h"

#include "platform/Timer.h"

frmPlinkard &GameRig::start() {
    Timer::setManualTicks(true);
    forms = std::make_unique<Forms>(fakes.services, mod);
    return forms->main();
}
