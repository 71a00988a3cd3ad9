// SPDX-License-Identifier: MIT
#include "PictureBox.h"

#include "AccessibleControls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget *parent) : QFrame(parent) {
    installAccessibleControls();
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);
}

int PictureBox::keyCode(int qtKey) {
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return 112 + (qtKey - Qt::Key_F1);
    }
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return qtKey;
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    default:
        return 0;
    }
}

int PictureBox::shiftState(Qt::KeyboardModifiers modifiers) {
    int shift = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        shift |= 1;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        shift |= 2;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        shift |= 4;
    }
    return shift;
}

void PictureBox::keyPressEvent(QKeyEvent *event) {
    // Keys a focused child ignores come up here too; only the panel's own keys count.
    const int code = keyCode(event->key());
    if (code != 0 && hasFocus()) {
        emit keyDown(code, shiftState(event->modifiers()));
    }
    QFrame::keyPressEvent(event);
}

void PictureBox::mousePressEvent(QMouseEvent *event) {
    QFrame::mousePressEvent(event);
    event->accept();
}

void PictureBox::setPicture(const QPixmap &picture) {
    m_picture = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent *event) {
    QFrame::paintEvent(event);
    if (!m_picture.isNull()) {
        QPainter painter(this);
        painter.drawPixmap(0, 0, m_picture);
    }
}
