#include "game/TargetPictures.h"
#include "platform/PictureCache.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
bool opaque(const QImage &image, int x, int y) { return qAlpha(image.pixel(x, y)) > 128; }

QRect opaqueBounds(const QImage &image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (opaque(image, x, y)) {
                bounds |= QRect(x, y, 1, 1);
            }
        }
    }
    return bounds;
}
} // namespace

// The crosshair is a ring 16 px across whose 2 px bars cross on the hot spot (9, 8), at 1x and 2x alike,
// so a click lands where the player sees the centre.
TEST(CursorPictures, CrosshairCentredOnHotSpot) {
    for (int scale : {1, 2}) {
        const QImage image = PictureCache::render(TargetPictures::Crosshair, QSize(32, 32) * scale);
        EXPECT_EQ(opaqueBounds(image), QRect(1 * scale, 0, 16 * scale, 16 * scale)) << scale;
        for (int offset = 3; offset <= 13; ++offset) {
            // Both rows and both columns of the bars, across the whole ring.
            EXPECT_TRUE(opaque(image, (1 + offset) * scale, 7 * scale) &&
                        opaque(image, (1 + offset) * scale, 8 * scale))
                << scale << " row at " << offset;
            EXPECT_TRUE(opaque(image, 8 * scale, offset * scale) && opaque(image, 9 * scale, offset * scale))
                << scale << " column at " << offset;
        }
        EXPECT_TRUE(opaque(image, 9 * scale, 8 * scale));
        // Inside the ring, off the bars, the target shows through.
        EXPECT_FALSE(opaque(image, 5 * scale, 5 * scale));
        EXPECT_FALSE(opaque(image, 12 * scale, 11 * scale));
        EXPECT_FALSE(opaque(image, 9 * scale, 20 * scale));
    }
    const QCursor cursor = TargetPictures::crosshairCursor();
    EXPECT_EQ(cursor.hotSpot(), QPoint(9, 8));
}

// The arrow's tip is its hot spot: the top-left pixel is drawn and the arrow points from there.
TEST(CursorPictures, ArrowTipAtOrigin) {
    for (int scale : {1, 2}) {
        const QImage image = PictureCache::render(TargetPictures::Arrow, QSize(32, 32) * scale);
        EXPECT_TRUE(opaque(image, 0, 0)) << scale;
        EXPECT_EQ(opaqueBounds(image).topLeft(), QPoint(0, 0)) << scale;
        EXPECT_FALSE(opaque(image, 31 * scale, 31 * scale)) << scale;
    }
    EXPECT_EQ(TargetPictures::arrowCursor().hotSpot(), QPoint(0, 0));
}

// The bullet fills its narrow 5 x 19 frame and the window icon draws at every desktop size.
TEST(CursorPictures, BulletAndIconRender) {
    const QImage bullet = PictureCache::render(TargetPictures::Bullet, QSize(5, 19));
    const QRect bounds = opaqueBounds(bullet);
    EXPECT_GE(bounds.width(), 4);
    EXPECT_GE(bounds.height(), 18);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage icon = PictureCache::render(TargetPictures::Icon, QSize(size, size));
        EXPECT_TRUE(opaque(icon, size / 2, size / 2)) << size;
        EXPECT_GE(opaqueBounds(icon).width(), size * 9 / 10) << size;
    }
}
