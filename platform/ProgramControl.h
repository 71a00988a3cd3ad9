// SPDX-License-Identifier: MIT
#pragma once

class ProgramControl {
public:
    virtual ~ProgramControl() = default;
    // Ends the process at once: no close handlers, nothing saved.
    virtual void endNow(int exitCode) = 0;
    virtual void beep() = 0;
};
