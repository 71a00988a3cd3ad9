// SPDX-License-Identifier: MIT
#include "ImageControl.h"

#include "AccessibleControls.h"
#include "PictureCache.h"

#include <QMouseEvent>
#include <QPainter>

ImageControl::ImageControl(QWidget *parent, const QString &picture) : QWidget(parent), m_picture(picture) {
    installAccessibleControls();
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageControl::paintEvent(QPaintEvent * /*event*/) {
    if (m_picture.isEmpty()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, PictureCache::pixmap(m_picture, size(), devicePixelRatioF()));
}

void ImageControl::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton) {
        emit clicked();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}
