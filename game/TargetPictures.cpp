// SPDX-License-Identifier: MIT
#include "TargetPictures.h"

#include "game/rules/TargetRules.h"
#include "platform/BuiltPixels.h"
#include "platform/PictureCache.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>
#include <utility>

namespace {
// One entry per target index; the file under :/targets/ is <name>.svg.
constexpr std::array<const char *, TargetCount> Names{{
    "apple",    "banana",    "cherries",   "strawberry", "gem",        "pear",          "watermelon", "grapes",
    "orange",   "carrot",    "mushroom",   "sun",        "light-bulb", "shooting-star", "bomb",       "umbrella",
    "teapot",   "ice-cream", "snail",      "gold-coin",  "cupcake",    "lightning",     "fish-bowl",  "pizza",
    "kitten",   "fish",      "frog",       "ladybird",   "penguin",    "rabbit",        "owl",        "crown",
    "rocket",   "money-bag", "penguin",    "pig",        "bee",        "jet",           "butterfly",  "crab",
    "sailboat", "house",     "tree",       "skull",      "shoe",       "flower",        "balloon",    "guitar",
    "pencil",   "tortoise",  "beach-ball", "race-car",   "duck",       "cactus",        "egg",        "snowman",
    "penguin",
}};
static_assert(std::ranges::all_of(PenguinIndices, [](int i) {
    return std::string_view(Names.at(static_cast<size_t>(i))) == "penguin";
}));

QCursor cursorFrom(const QString &resource, int hotX, int hotY) {
    const qreal ratio = qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
    // Qt's X11 backend gives the hot spot to the server as it is, in the pixmap's device pixels.
    const qreal hotScale = QGuiApplication::platformName() == QLatin1String("xcb") ? ratio : 1.0;
    return QCursor(PictureCache::pixmap(resource, QSize(32, 32), ratio), static_cast<int>(std::lround(hotX * hotScale)),
                   static_cast<int>(std::lround(hotY * hotScale)));
}

// An icon from the picture cache. Qt's own SVG icon engine would load Qt Svg before the first
// paint; with no sizes of its own it was asked for 16, 32, 64 and 128 pixels, which are built.
class PictureIconEngine final : public QIconEngine {
public:
    explicit PictureIconEngine(QString resource) : m_resource(std::move(resource)) {}
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return QPixmap::fromImage(PictureCache::render(m_resource, size));
    }
    QIconEngine *clone() const override { return new PictureIconEngine(m_resource); }
    QList<QSize> availableSizes(QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        return BuiltPixels::sizes(m_resource);
    }

private:
    QString m_resource;
};
} // namespace

QIcon TargetPictures::windowIcon() { return QIcon(new PictureIconEngine(Icon)); }

QString TargetPictures::target(int index) {
    if (index < 0 || index >= TargetCount) {
        return {};
    }
    return QStringLiteral(":/targets/%1.svg").arg(QLatin1String(Names.at(static_cast<size_t>(index))));
}

QString TargetPictures::targetName(int index) {
    if (index < 0 || index >= TargetCount) {
        return {};
    }
    return QString::fromLatin1(Names.at(static_cast<size_t>(index)));
}

QCursor TargetPictures::crosshairCursor() { return cursorFrom(Crosshair, 9, 8); }

QCursor TargetPictures::arrowCursor() { return cursorFrom(Arrow, 0, 0); }
