// SPDX-License-Identifier: MIT
#include "Timer.h"

#include "TickSource.h"

Timer::Timer(QObject *parent, TickSource &ticks, int intervalMs, bool enabled, std::function<void()> handler)
    : QObject(parent), m_ticks(ticks), m_handler(std::move(handler)) {
    m_timer.setTimerType(Qt::PreciseTimer);
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &Timer::fire);
    setEnabled(enabled);
}

void Timer::setEnabled(bool enabled) {
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    if (enabled) {
        m_ticks.start(m_timer);
    } else {
        m_timer.stop();
    }
}

void Timer::fire() {
    if (m_inTick) {
        return;
    }
    m_inTick = true;
    m_handler();
    m_inTick = false;
}
