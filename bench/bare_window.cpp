// SPDX-License-Identifier: MIT
// The floor for start-up and memory: a bare Qt widgets window of the game's size. It prints the
// time from its launch to its first paint and its peak resident memory, then leaves.
// Usage: bare_window [seconds to stay after the first paint]

#include "app/RunReport.h"

#include <QApplication>
#include <QFile>
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
    BareWindow window(argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 0);
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.setFixedSize(376, 322);
    window.show();
    return QApplication::exec();
}
