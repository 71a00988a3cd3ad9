// SPDX-License-Identifier: MIT
#include "QtProgramControl.h"

#include <QApplication>
#include <cstdlib>

void QtProgramControl::endNow(int exitCode) {
    // No destructors, no close handlers: nothing may be saved on this path.
    std::_Exit(exitCode);
}

void QtProgramControl::beep() { QApplication::beep(); }
