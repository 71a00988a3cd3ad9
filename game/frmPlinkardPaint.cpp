// SPDX-License-Identifier: MIT
// The main window's looks and place: its colours and pictures, and the game kept in the middle of the
// window and of the screen.
#include "frmPlinkard.h"

#include "Forms.h"

#include "platform/BgrColor.h"
#include "platform/PictureBox.h"
#include "platform/PictureFiles.h"
#include "platform/Services.h"
#include "platform/WindowPlacement.h"

#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <algorithm>

void frmPlinkard::showEvent(QShowEvent *event) {
    if (!m_centred) {
        m_centred = true;
        WindowPlacement::placeOver(this, nullptr);
        picPicture->setFocus();
    }
    QWidget::showEvent(event);
}

void frmPlinkard::setAppearance(const Appearance &look) {
    m_appearance = look;
    QPalette field = palette();
    field.setColor(QPalette::Window, fromBgr(look.fieldColor));
    setPalette(field);
    QPalette panel = picPicture->palette();
    panel.setColor(QPalette::Window, fromBgr(look.panelColor));
    panel.setColor(QPalette::WindowText, fromBgr(look.panelTextColor));
    picPicture->setPalette(panel);
    update();
    // The pictures come once decoded, away from play; until then the ones before stay. A picture that
    // cannot be read, or not in time, shows nothing, as an empty path does.
    const QPointer<frmPlinkard> self(this);
    m_forms.services.pictures.decode(0, look.fieldPicture, [self](const QImage &picture) {
        if (self) {
            self->m_fieldPicture = QPixmap::fromImage(picture);
            self->update();
        }
    });
    m_forms.services.pictures.decode(1, look.panelPicture, [self](const QImage &picture) {
        if (self) {
            self->picPicture->setPicture(QPixmap::fromImage(picture));
        }
    });
}

void frmPlinkard::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    if (!m_origin.isNull()) { // the room a compositor gave beyond the game's own size
        for (const QRect &band : QRegion(rect()).subtracted(gameRect())) {
            painter.fillRect(band, Qt::black);
        }
    }
    if (!m_fieldPicture.isNull()) {
        painter.drawPixmap(m_origin, m_fieldPicture);
    }
    QWidget::paintEvent(event);
}

QRect frmPlinkard::gameRect() const { return {m_origin, minimumSize()}; }

void frmPlinkard::resizeEvent(QResizeEvent *event) {
    const QPoint origin(std::max(0, (width() - minimumWidth()) / 2), std::max(0, (height() - minimumHeight()) / 2));
    if (origin != m_origin) {
        const QPoint shift = origin - m_origin;
        m_origin = origin;
        for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!child->isWindow()) { // the dialogs it owns stay where they are
                child->move(child->pos() + shift);
            }
        }
        update();
    }
    QWidget::resizeEvent(event);
}
