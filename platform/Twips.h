// SPDX-License-Identifier: MIT
#pragma once

#include <QRect>

// Positions are given in twips; 15 twips make one pixel at 96 dpi.
constexpr int TwipsPerPixel = 15;

constexpr int px(int twips) {
    return twips >= 0 ? (twips + TwipsPerPixel / 2) / TwipsPerPixel : -((-twips + TwipsPerPixel / 2) / TwipsPerPixel);
}

inline QRect pxRect(int left, int top, int width, int height) { return {px(left), px(top), px(width), px(height)}; }
