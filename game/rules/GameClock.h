// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <cstdint>

// The clock's three counters, advanced once a second.
struct GameClock {
    int64_t hour = 0;
    int64_t minute = 0;
    int64_t second = 0;

    void tick() {
        ++second;
        if (second == 60) {
            ++minute;
            second = 0;
        }
        // Tested on every tick, not only after a minute rolled over.
        if (minute == 60) {
            ++hour;
            minute = 0;
        }
    }

    QString text() const { return QStringLiteral("%1:%2:%3").arg(hour).arg(minute).arg(second); }
};
