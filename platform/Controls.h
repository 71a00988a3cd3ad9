#pragma once

#include <QAbstractButton>
#include <QLabel>

// Check-box and option values as the game counts them: 1 checked, 0 clear.
inline int Value(const QAbstractButton *button) { return button->isChecked() ? 1 : 0; }

inline void setValue(QAbstractButton *button, int value) { button->setChecked(value != 0); }

// Auto-sized labels follow their caption.
inline void setCaption(QLabel *label, const QString &caption) {
    label->setText(caption);
    label->adjustSize();
}
