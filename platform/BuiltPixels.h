// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <cstdint>
#include <span>

// The pictures the first paint shows (window icon, bullet, cursors), drawn from their SVG files
// when the program is built, at the pixel sizes scale 1 asks for. Copying them costs nothing, and
// the SVG renderer is loaded only when another size is asked for.
namespace BuiltPixels {
struct Picture {
    const char *resource;
    int width;
    int height;
    const uint32_t *pixels; // premultiplied ARGB, row by row
};
// Generated at build time by tools/prerender.cpp.
std::span<const Picture> pictures();

// The picture at exactly this size, sharing the built pixels; null when it was not built.
QImage find(const QString &resource, QSize pixelSize);
// The sizes built for a picture.
QList<QSize> sizes(const QString &resource);
} // namespace BuiltPixels
