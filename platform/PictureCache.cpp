// SPDX-License-Identifier: MIT
#include "PictureCache.h"

#include "BuiltPixels.h"

#include <QHash>
#include <QImage>
#include <QImageReader>
#include <cmath>

namespace {
struct Key {
    QString resource;
    int width;
    int height;
    int ratioPercent;
    bool operator==(const Key &) const = default;
};

size_t qHash(const Key &k, size_t seed = 0) { return qHashMulti(seed, k.resource, k.width, k.height, k.ratioPercent); }
} // namespace

QImage PictureCache::render(const QString &resource, QSize pixelSize) {
    if (QImage built = BuiltPixels::find(resource, pixelSize); !built.isNull()) {
        return built;
    }
    // Qt's SVG image plugin draws the other sizes; it brings in Qt Svg only when first asked, after
    // the first paint, which shows only built pictures.
    QImageReader reader(resource);
    reader.setScaledSize(pixelSize);
    QImage image = reader.read();
    if (image.size() != pixelSize) {
        image = QImage(pixelSize, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
    }
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QPixmap PictureCache::pixmap(const QString &resource, QSize logicalSize, qreal devicePixelRatio) {
    static QHash<Key, QPixmap> cache;
    const Key key{resource, logicalSize.width(), logicalSize.height(),
                  static_cast<int>(std::lround(devicePixelRatio * 100))};
    auto found = cache.constFind(key);
    if (found != cache.constEnd()) {
        return *found;
    }
    const QSize pixels(static_cast<int>(std::ceil(logicalSize.width() * devicePixelRatio)),
                       static_cast<int>(std::ceil(logicalSize.height() * devicePixelRatio)));
    QPixmap pm = QPixmap::fromImage(render(resource, pixels));
    pm.setDevicePixelRatio(devicePixelRatio);
    cache.insert(key, pm);
    return pm;
}
