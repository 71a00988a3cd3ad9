// SPDX-License-Identifier: MIT
#include "Timer.h"

Timer::Timer(QObject *parent, int intervalMs, bool enabled, std::function<void()> handler)
    : QObject(parent), m_handler(std::move(handler)) {
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
        if (!s_manual) {
            m_timer.start();
        }
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
