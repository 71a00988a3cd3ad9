// SPDX-License-Identifier: MIT
#pragma once

#include <QImage>
#include <QString>
#include <functional>

// Pictures the player names, decoded away from play: a picture file may cost any amount of work to
// decode, and play, painting, the clock and Exit never wait for it.
class PictureFiles {
public:
    virtual ~PictureFiles() = default;
    // Hands the picture to `done` on the user-interface thread once it is decoded: a null image for
    // anything that is no picture, is too large, or does not decode within the bound. A new request
    // for the same slot drops the one before it, whose `done` is then never called.
    virtual void decode(int slot, const QString &path, std::function<void(const QImage &)> done) = 0;
};
