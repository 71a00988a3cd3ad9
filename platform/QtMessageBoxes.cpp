// SPDX-License-Identifier: MIT
#include "QtMessageBoxes.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>

namespace {
// Qt lets Escape and the close box answer "No" in a box without a cancel button. A Yes/No
// question has no cancel: only its two buttons answer it.
class AnswerBox final : public QMessageBox {
public:
    AnswerBox(QWidget *owner, bool onlyButtonsAnswer) : QMessageBox(owner), m_onlyButtons(onlyButtonsAnswer) {}

protected:
    void keyPressEvent(QKeyEvent *event) override {
        if (m_onlyButtons && event->matches(QKeySequence::Cancel)) {
            event->accept();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override {
        if (m_onlyButtons) {
            event->ignore();
            return;
        }
        QMessageBox::closeEvent(event);
    }

private:
    bool m_onlyButtons;
};
} // namespace

MsgResult QtMessageBoxes::show(QWidget *owner, const QString &prompt, int style, const QString &title) {
    const bool yesNo = (style & 0x7) == MsgStyle::YesNo;
    // An owner not on screen yet (start-up) would pin the box to the screen's corner.
    AnswerBox box(owner != nullptr && owner->isVisible() ? owner : nullptr, yesNo);
    box.setWindowTitle(title);
    box.setText(prompt);
    const int icon = style & 0x70;
    if (icon == MsgStyle::Exclamation) {
        box.setIcon(QMessageBox::Warning);
    } else if (icon == MsgStyle::Information) {
        box.setIcon(QMessageBox::Information);
    }
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    box.setWindowModality(Qt::ApplicationModal);
    if ((style & MsgStyle::SystemModal) != 0) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    const int answer = box.exec();
    if (!yesNo) {
        return MsgResult::Ok;
    }
    return answer == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
}
