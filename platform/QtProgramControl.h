// SPDX-License-Identifier: MIT
#pragma once

#include "ProgramControl.h"

class QtProgramControl final : public ProgramControl {
public:
    void endNow(int exitCode) override;
    void beep() override;
};
