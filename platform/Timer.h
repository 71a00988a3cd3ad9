// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class TickSource;

// A window's periodic timer: an interval, an enabled flag and one tick handler; `ticks` starts it.
// The handler may open a message box, whose nested event loop lets the other
// timers tick; this timer's own handler is never re-entered meanwhile.
class Timer final : public QObject {
    Q_OBJECT
public:
    Timer(QObject *parent, TickSource &ticks, int intervalMs, bool enabled, std::function<void()> handler);

    int interval() const { return m_timer.interval(); }
    bool isEnabled() const { return m_enabled; }
    // Enabling a running timer leaves its interval running; enabling a stopped one starts a fresh interval.
    void setEnabled(bool enabled);
    // Runs the handler as a tick would (unless a tick is already running).
    void fire();

private:
    TickSource &m_ticks;
    QTimer m_timer;
    bool m_enabled = false;
    bool m_inTick = false;
    std::function<void()> m_handler;
};
