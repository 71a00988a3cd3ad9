// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <cstdint>

// Colours are kept as 0x00BBGGRR.
inline QColor fromBgr(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFU), static_cast<int>((bgr >> 8U) & 0xFFU),
                  static_cast<int>((bgr >> 16U) & 0xFFU));
}

inline uint32_t toBgr(const QColor &c) {
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8U) |
           (static_cast<uint32_t>(c.blue()) << 16U);
}
