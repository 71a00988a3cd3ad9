// SPDX-License-Identifier: MIT
#include "WaylandWindows.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

void WaylandWindows::installIfWayland() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        qApp->installEventFilter(new WaylandWindows(qApp));
    }
}

void WaylandWindows::unfix(QWidget *window) {
    if (window->maximumSize() != QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX)) {
        window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

bool WaylandWindows::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow()) {
            // After the window's own show handling, which may fix its size (a message box does).
            QMetaObject::invokeMethod(
                this,
                [window = QPointer<QWidget>(widget)] {
                    if (window != nullptr) {
                        unfix(window);
                    }
                },
                Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}
