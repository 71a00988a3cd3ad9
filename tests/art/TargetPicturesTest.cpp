#include "game/TargetPictures.h"
#include "game/TargetRules.h"
#include "platform/PictureCache.h"

#include <QFile>
#include <QImage>
#include <QMap>
#include <QSet>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
bool opaque(const QImage &image, int x, int y) { return qAlpha(image.pixel(x, y)) > 128; }

int opaqueCount(const QImage &image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += opaque(image, x, y) ? 1 : 0;
        }
    }
    return count;
}

int differingPixels(const QImage &a, const QImage &b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int distance = std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                                 std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
            count += distance > 96 ? 1 : 0;
        }
    }
    return count;
}

// The indices that show each picture, by resource.
QMap<QString, QList<int>> indicesByPicture() {
    QMap<QString, QList<int>> pictures;
    for (int index = 0; index < TargetCount; ++index) {
        pictures[TargetPictures::target(index)].append(index);
    }
    return pictures;
}
} // namespace

// Every target, element 0 included, has a compiled-in picture that fills a fair part of its 32 x 32 cell
// at 1x and at 2x, so none shows up as a blank or a speck.
TEST(TargetPictures, EveryTargetRendersAtBothScales) {
    for (int index = 0; index < TargetCount; ++index) {
        const QString resource = TargetPictures::target(index);
        ASSERT_TRUE(QFile::exists(resource)) << index << " " << qPrintable(resource);
        for (int side : {32, 64}) {
            const QImage image = PictureCache::render(resource, QSize(side, side));
            EXPECT_GT(opaqueCount(image), side * side / 5) << "target " << index << " at " << side;
        }
    }
    EXPECT_TRUE(TargetPictures::target(-1).isEmpty());
    EXPECT_TRUE(TargetPictures::target(TargetCount).isEmpty());
}

// The three penguins share one picture and no other target shares one, so there are 55 in all.
TEST(TargetPictures, OnlyThePenguinsSharePicture) {
    const auto pictures = indicesByPicture();
    EXPECT_EQ(pictures.size(), 55);
    int shared = 0;
    for (const QList<int> &indices : pictures) {
        if (indices.size() > 1) {
            ++shared;
            EXPECT_EQ(indices, QList<int>({28, 34, 56}));
        }
    }
    EXPECT_EQ(shared, 1);
    for (int index = 0; index < TargetCount; ++index) {
        EXPECT_EQ(TargetPictures::target(index) == TargetPictures::target(28), isPenguin(index)) << index;
    }
}

// No two pictures look alike: each pair differs clearly in at least a tenth of its pixels at 32 x 32.
TEST(TargetPictures, PicturesArePairwiseDistinct) {
    const QStringList resources = indicesByPicture().keys();
    QList<QImage> images;
    for (const QString &resource : resources) {
        images.append(PictureCache::render(resource, QSize(32, 32)));
    }
    for (qsizetype i = 0; i < images.size(); ++i) {
        for (qsizetype j = i + 1; j < images.size(); ++j) {
            EXPECT_GT(differingPixels(images.at(i), images.at(j)), 32 * 32 / 10)
                << qPrintable(resources.at(i)) << " and " << qPrintable(resources.at(j));
        }
    }
}

// Screen readers name each target by what it shows: one name per picture, and the penguin is "penguin".
TEST(TargetPictures, NamesFollowPictures) {
    QMap<QString, QString> nameOfPicture;
    QSet<QString> names;
    for (int index = 0; index < TargetCount; ++index) {
        const QString name = TargetPictures::targetName(index);
        ASSERT_FALSE(name.isEmpty()) << index;
        const QString picture = TargetPictures::target(index);
        if (nameOfPicture.contains(picture)) {
            EXPECT_EQ(nameOfPicture.value(picture), name) << index;
        } else {
            EXPECT_FALSE(names.contains(name)) << index << " repeats " << qPrintable(name);
            nameOfPicture.insert(picture, name);
            names.insert(name);
        }
    }
    EXPECT_EQ(names.size(), 55);
    for (int index : {28, 34, 56}) {
        EXPECT_EQ(TargetPictures::targetName(index), QStringLiteral("penguin"));
    }
    EXPECT_TRUE(TargetPictures::targetName(TargetCount).isEmpty());
}
