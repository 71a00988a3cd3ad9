// SPDX-License-Identifier: MIT
#include "RunReport.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace {
bool asked(const char *name) { return qEnvironmentVariableIntValue(name) == 1; }
} // namespace

void RunReport::installIfAsked() {
    const bool firstPaint = asked("PLINKARD_REPORT_FIRST_PAINT");
    const bool ticks = asked("PLINKARD_REPORT_TICKS");
    const bool input = asked("PLINKARD_REPORT_INPUT");
    if (!firstPaint && !ticks && !input) {
        return;
    }
    auto *report = new RunReport(firstPaint, ticks, input);
    report->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(report);
}

RunReport::RunReport(bool firstPaint, bool ticks, bool input)
    : m_firstPaint(firstPaint), m_ticks(ticks), m_input(input) {}

int64_t RunReport::nowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t{now.tv_sec} * 1'000'000'000 + now.tv_nsec;
}

double RunReport::msSinceLaunch() {
    // The kernel's start time in /proc/self/stat comes in 10 ms steps and, in some sandboxes, on
    // another clock; the launcher's stamp is exact.
    bool ok = false;
    const qint64 launch = qEnvironmentVariable("PLINKARD_LAUNCH_NS").toLongLong(&ok);
    return ok ? static_cast<double>(nowNs() - launch) / 1e6 : -1.0;
}

void RunReport::afterThisEvent(const char *what) {
    QMetaObject::invokeMethod(
        this,
        [what] {
            if (qstrcmp(what, "first-paint") == 0) {
                std::fprintf(stderr, "first-paint-ms %.3f\n", msSinceLaunch());
            } else {
                std::fprintf(stderr, "%s %lld\n", what, static_cast<long long>(nowNs()));
            }
        },
        Qt::QueuedConnection);
}

bool RunReport::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::Paint:
        if (m_firstPaint) {
            m_firstPaint = false;
            afterThisEvent("first-paint");
        }
        if (m_awaitPaint) {
            m_awaitPaint = false;
            afterThisEvent("painted");
        }
        break;
    case QEvent::Timer:
        if (m_ticks) {
            if (auto *timer = qobject_cast<QTimer *>(watched);
                timer != nullptr && static_cast<QTimerEvent *>(event)->timerId() == timer->timerId()) {
                std::fprintf(stderr, "tick %d %lld\n", timer->interval(), static_cast<long long>(nowNs()));
            }
        }
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        if (m_input) {
            // The event reaches the native window first and then each widget on its way; stamp the
            // first arrival and name the first widget.
            const auto stamp = static_cast<QMouseEvent *>(event)->timestamp();
            if (stamp != m_pendingStamp || event->type() != m_pendingType) {
                m_pendingStamp = stamp;
                m_pendingType = event->type();
                m_pendingNs = nowNs();
                if (!watched->isWidgetType()) {
                    break;
                }
            } else if (m_pendingNs == 0 || !watched->isWidgetType()) {
                break;
            }
            const bool press = event->type() == QEvent::MouseButtonPress;
            std::fprintf(stderr, "%s %lld %s %s\n", press ? "press" : "release", static_cast<long long>(m_pendingNs),
                         watched->metaObject()->className(), qPrintable(watched->objectName()));
            m_pendingNs = 0;
            m_awaitPaint = m_awaitPaint || press;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
