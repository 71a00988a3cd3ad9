// SPDX-License-Identifier: MIT
#include "WindowPlacement.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace WindowPlacement {

QWidget *ownerOnTop(QWidget *owner, const QWidget *opening) {
    QWidget *modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != opening && modal->isVisible()) {
        return modal;
    }
    QWidget *window = owner != nullptr ? owner->window() : nullptr;
    return window != nullptr && window->isVisible() ? window : nullptr;
}

void placeOver(QWidget *window, QWidget *owner) {
    QWindow *handle = window->windowHandle();
    if (handle != nullptr && owner != nullptr && owner->windowHandle() != nullptr) {
        handle->setTransientParent(owner->windowHandle());
    }
    const QScreen *screen = owner != nullptr ? owner->screen() : window->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    QMargins frame;
    if (owner != nullptr) {
        const QRect client = owner->geometry();
        const QRect whole = owner->frameGeometry();
        frame = {client.left() - whole.left(), client.top() - whole.top(), whole.right() - client.right(),
                 whole.bottom() - client.bottom()};
    }
    QRect outer(QPoint(), window->size().grownBy(frame));
    outer.moveCenter(owner != nullptr ? owner->frameGeometry().center() : area.center());
    // Wholly on the screen; a window larger than the screen keeps its title bar in view.
    outer.moveLeft(std::max(area.left(), std::min(outer.left(), area.right() - outer.width() + 1)));
    outer.moveTop(std::max(area.top(), std::min(outer.top(), area.bottom() - outer.height() + 1)));
    window->setGeometry(outer - frame);
}

} // namespace WindowPlacement
