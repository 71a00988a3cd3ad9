// SPDX-License-Identifier: MIT
// The floor for start-up and memory: a bare Qt widgets window of the game's size. It prints the
// time from its launch to its first paint and its peak resident memory, then leaves. With --text it
// shows one line of text in the game's font, the floor for any window that shows text: the first
// label starts fontconfig. With --move MS it moves a 32 x 32 picture to the next place every MS
// milliseconds, as a motion tick of the game does: the anchor for the game's processor use.
// Usage: bare_window [--text] [--move MS] [seconds to stay after the first paint]

#include "app/RunReport.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace {
// VmHWM from /proc/self/status, in KiB.
long peakRssKib() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

class BareWindow final : public QWidget {
public:
    explicit BareWindow(int staySeconds) : m_stay(staySeconds) {}

protected:
    void paintEvent(QPaintEvent *) override {
        if (m_painted) {
            return;
        }
        m_painted = true;
        // Stamped once this paint has been flushed to the screen, as the game's report does.
        QMetaObject::invokeMethod(
            this,
            [this] {
                std::printf("first-paint-ms %.3f\n", RunReport::msSinceLaunch());
                std::fflush(stdout);
                QTimer::singleShot(m_stay * 1000, qApp, [] {
                    std::printf("peak-rss-kib %ld\n", peakRssKib());
                    QCoreApplication::quit();
                });
            },
            Qt::QueuedConnection);
    }

private:
    int m_stay;
    bool m_painted = false;
};
} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    const bool text = args.removeAll(QStringLiteral("--text")) > 0;
    const qsizetype moveAt = args.indexOf(QStringLiteral("--move"));
    const int moveMs = moveAt >= 0 ? args.value(moveAt + 1).toInt() : 0;
    if (moveAt >= 0) {
        args.remove(moveAt, 2);
    }
    BareWindow window(args.value(0).toInt());
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(376, 322);
    if (text) {
        // The game's face and size (platform/Controls.h), as its first label shows it.
        auto *line = new QLabel(QStringLiteral("Score:"), &window);
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(11);
        line->setFont(font);
        line->move(4, 253);
    }
    QTimer mover;
    if (moveMs > 0) {
        QPixmap picture(32, 32);
        picture.fill(Qt::yellow);
        QPainter(&picture).fillRect(8, 8, 16, 16, Qt::darkGreen);
        auto *target = new QLabel(&window);
        target->setPixmap(picture);
        target->setGeometry(0, 0, 32, 32);
        // The places of an 8 x 7 grid over the field, in turn.
        QObject::connect(&mover, &QTimer::timeout, target, [target, place = 0]() mutable {
            place = (place + 1) % 56;
            target->move(13 + (place % 8) * 44, 6 + (place / 8) * 34);
        });
        mover.start(moveMs);
    }
    window.show();
    return QApplication::exec();
}
