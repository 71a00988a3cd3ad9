// SPDX-License-Identifier: MIT
#pragma once

#include <QCursor>
#include <QIcon>
#include <QString>

// The game's pictures, compiled in as resources.
namespace TargetPictures {
inline const QString Bullet = QStringLiteral(":/pictures/bullet.svg");
inline const QString Icon = QStringLiteral(":/pictures/icon.svg");
inline const QString Crosshair = QStringLiteral(":/pictures/crosshair.svg");
inline const QString Arrow = QStringLiteral(":/pictures/arrow.svg");

// The picture of imgShoot(index); the PenguinIndices share one.
QString target(int index);
// What the picture shows, for screen readers ("penguin", "apple" ...).
QString targetName(int index);

// The window icon: built pixels at the sizes the window system asks for, SVG at any other.
QIcon windowIcon();
// 32 x 32 cursors, sharp at the screen's pixel ratio.
QCursor crosshairCursor();
QCursor arrowCursor();
} // namespace TargetPictures
