// SPDX-License-Identifier: MIT
#pragma once

#include <QTimer>

// Starts the windows' timers. In the program they tick on the event loop; a test calls the tick
// handlers itself, so its source never starts one.
class TickSource {
public:
    virtual ~TickSource() = default;
    virtual void start(QTimer &timer) = 0;
};

class EventLoopTicks final : public TickSource {
public:
    void start(QTimer &timer) override { timer.start(); }
};
