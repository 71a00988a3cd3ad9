// SPDX-License-Identifier: MIT
#include "BuiltPixels.h"

QImage BuiltPixels::find(const QString &resource, QSize pixelSize) {
    for (const Picture &picture : pictures()) {
        if (QSize(picture.width, picture.height) == pixelSize && resource == QLatin1String(picture.resource)) {
            // Read-only pixels: a painter on this image would detach it first.
            return {reinterpret_cast<const uchar *>(picture.pixels), picture.width, picture.height,
                    qsizetype{picture.width} * 4, QImage::Format_ARGB32_Premultiplied};
        }
    }
    return {};
}

QList<QSize> BuiltPixels::sizes(const QString &resource) {
    QList<QSize> found;
    for (const Picture &picture : pictures()) {
        if (resource == QLatin1String(picture.resource)) {
            found << QSize(picture.width, picture.height);
        }
    }
    return found;
}
