// SPDX-License-Identifier: MIT
#include "platform/PictureDecoder.h"

#include <QBuffer>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <optional>

namespace {
QByteArray encoded(QImage image, const char *format, bool progressive = false) {
    image.fill(Qt::darkCyan);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    return writer.write(image) ? buffer.data() : QByteArray();
}
} // namespace

// Catches a picture decoded on the game's own thread or without a bound on its time (a crafted JPEG of 415 kB froze
// play for 38 s; an SVG that took 55 s meets the same bound), a picture past its bounds shown or one just inside
// refused (the pixels, and the bytes a 16-bit one decodes to, each on its own; any other picture Qt counts at four
// bytes a pixel, so there the two bounds are one), and a late answer overriding a newer request.
TEST(Pictures, DecodedAwayFromPlayWithinTheirBounds) {
    QTemporaryDir dir;
    const auto file = [&](const char *name, const QByteArray &bytes) {
        QFile out(dir.filePath(name));
        return out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size() ? out.fileName() : QString();
    };
    QByteArray scans = encoded(QImage(2048, 2048, QImage::Format_RGB32), "jpeg", true); // its last scan 10,000 times
    const qsizetype last = scans.lastIndexOf("\xff\xda"), end = scans.lastIndexOf("\xff\xd9");
    scans = scans.left(end) + scans.mid(last, end - last).repeated(10000) + "\xff\xd9";
    const std::vector<std::tuple<QString, const char *>> rows{
        {file("screen.jpg", encoded(QImage(1920, 1080, QImage::Format_RGB32), "jpeg")), "1920x1080"},
        {file("bound.png", encoded(QImage(2048, 2048, QImage::Format_RGB32), "png")), "2048x2048"},
        {file("past.png", encoded(QImage(2049, 2048, QImage::Format_RGB32), "png")), "none"},
        {file("deep.png", encoded(QImage(2048, 1024, QImage::Format_RGBA64), "png")), "2048x1024"}, // 16 MiB decoded
        {file("deeper.png", encoded(QImage(2048, 1025, QImage::Format_RGBA64), "png")), "none"},    // the bytes alone
        {file("scans.jpg", scans), "none"}};
    ProcessPictures pictures(QStringLiteral(PLINKARD_PROGRAM));
    for (const auto &[path, expected] : rows) {
        std::optional<QString> answer;
        pictures.decode(0, path, [&](const QImage &image) {
            answer = image.isNull() ? "none" : QStringLiteral("%1x%2").arg(image.width()).arg(image.height());
        });
        const bool blocked = answer.has_value(); // play would have waited for it
        (void)QTest::qWaitFor([&] { return answer.has_value(); }, 60000);
        EXPECT_EQ(blocked ? "blocked" : answer.value_or("no answer").toStdString(), expected) << path.toStdString();
    }
    // A newer picture for the same place wins, however long the one before it would take.
    QStringList answers;
    pictures.decode(1, std::get<0>(rows[3]), [&](const QImage &) { answers << "older"; });
    pictures.decode(1, std::get<0>(rows[0]), [&](const QImage &) { answers << "newer"; });
    (void)QTest::qWaitFor([&] { return !answers.isEmpty(); }, 60000);
    QTest::qWait(200);
    EXPECT_EQ(answers, QStringList{"newer"});
}
