// SPDX-License-Identifier: MIT
// Renders every target picture at 1x and 2x onto one sheet for review, with the bullet, the cursors
// and the icon, and optionally writes the icon at the sizes a desktop asks for.
// Usage: contact_sheet SHEET.png [ICON-THEME-DIR]
#include "game/TargetPictures.h"
#include "game/rules/TargetRules.h"
#include "platform/PictureCache.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <array>
#include <cstdio>

namespace {
// The play field's colour, 0x00E0DCA7 as BGR.
const QColor PlayField(0xA7, 0xDC, 0xE0);
const QColor Panel(0x00, 0x00, 0x80);
constexpr std::array IconSizes{16, 22, 24, 32, 48, 64, 128, 256};

constexpr int Columns = 6;
constexpr int CellWidth = 150;
constexpr int CellHeight = 96;
constexpr int Margin = 12;
constexpr int ExtrasHeight = 80;

void drawTarget(QPainter &painter, int index, QPoint origin) {
    const QString resource = TargetPictures::target(index);
    painter.drawImage(origin + QPoint(8, 24), PictureCache::render(resource, QSize(32, 32)));
    painter.drawImage(origin + QPoint(56, 8), PictureCache::render(resource, QSize(64, 64)));
    painter.setPen(Qt::black);
    painter.drawText(
        QRect(origin + QPoint(4, 74), QSize(CellWidth - 8, 18)), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("%1 %2").arg(index, 2, 10, QLatin1Char('0')).arg(TargetPictures::targetName(index)));
}

// The small pictures at 1x and 2x, the cursors with a red dot on their hot spot; the icon sizes below them.
void drawExtras(QPainter &painter, int top) {
    struct Extra {
        QString resource;
        QSize size;
        QPoint hotSpot;
        bool onPanel;
    };
    const std::array extras{
        Extra{TargetPictures::Bullet, QSize(5, 19), QPoint(-1, -1), true},
        Extra{TargetPictures::Crosshair, QSize(32, 32), QPoint(9, 8), false},
        Extra{TargetPictures::Arrow, QSize(32, 32), QPoint(0, 0), true},
    };
    int left = Margin;
    for (const Extra &extra : extras) {
        const QRect box(left, top, 3 * extra.size.width() + 24, 2 * extra.size.height() + 16);
        painter.fillRect(box, extra.onPanel ? Panel : PlayField);
        for (int scale = 1; scale <= 2; ++scale) {
            const QPoint at(left + 8 + (scale - 1) * (extra.size.width() + 8), top + 8);
            painter.drawImage(at, PictureCache::render(extra.resource, extra.size * scale));
            if (extra.hotSpot.x() >= 0) {
                painter.fillRect(QRect(at + extra.hotSpot * scale, QSize(1, 1)), Qt::red);
            }
        }
        left += box.width() + Margin;
    }
    left = Margin;
    top += ExtrasHeight + Margin;
    for (int size : IconSizes) {
        painter.drawImage(QPoint(left, top), PictureCache::render(TargetPictures::Icon, QSize(size, size)));
        left += size + Margin;
    }
}

bool writeIcons(const QString &themeDir) {
    for (int size : IconSizes) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(themeDir).arg(size);
        if (!QDir().mkpath(dir) || !PictureCache::render(TargetPictures::Icon, QSize(size, size))
                                        .save(dir + QStringLiteral("/io.github.brindlecot.Plinkard.png"))) {
            return false;
        }
    }
    const QString scalable = themeDir + QStringLiteral("/hicolor/scalable/apps");
    const QString svg = scalable + QStringLiteral("/io.github.brindlecot.Plinkard.svg");
    QFile::remove(svg);
    return QDir().mkpath(scalable) && QFile::copy(TargetPictures::Icon, svg) &&
           QFile::setPermissions(svg, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
}
} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: contact_sheet SHEET.png [ICON-THEME-DIR]\n");
        return 2;
    }

    const int rows = (TargetCount + Columns - 1) / Columns;
    const int extrasTop = Margin + rows * CellHeight + Margin;
    QImage sheet(Columns * CellWidth + 2 * Margin, extrasTop + ExtrasHeight + Margin + IconSizes.back() + Margin,
                 QImage::Format_ARGB32);
    sheet.fill(PlayField);
    QPainter painter(&sheet);
    for (int index = 0; index < TargetCount; ++index) {
        drawTarget(painter, index,
                   QPoint(Margin + (index % Columns) * CellWidth, Margin + (index / Columns) * CellHeight));
    }
    drawExtras(painter, extrasTop);
    painter.end();

    if (!sheet.save(args.at(1))) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    if (args.size() > 2 && !writeIcons(args.at(2))) {
        std::fprintf(stderr, "cannot write the icons under %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
