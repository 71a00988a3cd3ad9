// SPDX-License-Identifier: MIT
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

// SVG pictures rendered once per size and pixel ratio; painting then only copies pixels.
namespace PictureCache {
QPixmap pixmap(const QString &resource, QSize logicalSize, qreal devicePixelRatio);
QImage render(const QString &resource, QSize pixelSize);
} // namespace PictureCache
