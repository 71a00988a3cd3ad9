// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <initializer_list>

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

// A label's access key only moves the focus to its buddy; Qt's own would also press a button.
class AccessLabel final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    bool event(QEvent *event) override {
        if (event->type() == QEvent::Shortcut && buddy() != nullptr) {
            buddy()->setFocus(Qt::ShortcutFocusReason);
            return true;
        }
        return QLabel::event(event);
    }
};

// A button that Enter presses while it has the focus, as Space does, without becoming its window's default.
class FocusButton final : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            click();
            return;
        }
        QPushButton::keyPressEvent(event);
    }
};

// A label whose access key moves the focus to `buddy`; screen readers name the buddy after it.
inline QLabel *buddyLabel(const QString &caption, QWidget *parent, QRect where, QWidget *buddy) {
    auto *label = new AccessLabel(caption, parent);
    label->setGeometry(where);
    label->setBuddy(buddy);
    return label;
}

// A dialog button that Enter presses only while it has the focus: the window has no default button.
inline QPushButton *plainButton(const QString &caption, QWidget *parent, QRect where) {
    auto *button = new FocusButton(caption, parent);
    button->setGeometry(where);
    button->setAutoDefault(false);
    return button;
}

// Tab goes from each control to the next in this list.
inline void tabOrder(std::initializer_list<QWidget *> chain) {
    for (auto it = chain.begin(); it + 1 != chain.end(); ++it) {
        QWidget::setTabOrder(*it, *(it + 1));
    }
}
