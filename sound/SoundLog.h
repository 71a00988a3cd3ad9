// SPDX-License-Identifier: MIT
#pragma once

#include <QLoggingCategory>

// Why a piece or a shot is not heard, said once each: silent unless switched on, as with
// QT_LOGGING_RULES="plinkard.sound=true". Built into the program and into the sound module alike.
Q_DECLARE_LOGGING_CATEGORY(lcSound)
