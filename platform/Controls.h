// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QFont>
#include <QLabel>
#include <QPushButton>

// Check-box and option values as the game counts them: 1 checked, 0 clear.
inline int value(const QAbstractButton *button) { return button->isChecked() ? 1 : 0; }

inline void setValue(QAbstractButton *button, int value) { button->setChecked(value != 0); }

// Auto-sized labels follow their caption.
inline void setCaption(QLabel *label, const QString &caption) {
    label->setText(caption);
    label->adjustSize();
}

// The face every window uses, at a size in pixels so the layout does not follow the screen's dpi.
inline QFont gameFont(int pixelSize, bool bold = false) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

// A label whose access key moves the focus to `buddy`; screen readers name the buddy after it.
inline QLabel *buddyLabel(const QString &caption, QWidget *parent, QRect where, QWidget *buddy) {
    auto *label = new QLabel(caption, parent);
    label->setGeometry(where);
    label->setBuddy(buddy);
    return label;
}

// A dialog button that Enter does not press: only a click or its access key does.
inline QPushButton *plainButton(const QString &caption, QWidget *parent, QRect where) {
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(where);
    button->setAutoDefault(false);
    return button;
}
