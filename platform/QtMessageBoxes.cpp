// SPDX-License-Identifier: MIT
#include "QtMessageBoxes.h"

#include "WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>

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
    // Placed once its size is final, which the box settles as it shows.
    void showEvent(QShowEvent *event) override {
        QMessageBox::showEvent(event);
        WindowPlacement::placeOver(this, parentWidget());
    }

private:
    bool m_onlyButtons;
};
} // namespace

MsgResult QtMessageBoxes::show(QWidget *owner, const QString &prompt, int style, const QString &title) {
    const bool yesNo = (style & 0x7) == MsgStyle::YesNo;
    // A box that opens while another waits (the winning score's question behind the pause) goes on top of that
    // one. An owner not on screen yet (start-up) would pin the box to the screen's corner. On the heap: a
    // window it belongs to that is freed while it waits frees the box with it.
    const QPointer<AnswerBox> box = new AnswerBox(WindowPlacement::ownerOnTop(owner), yesNo);
    box->setWindowTitle(title);
    box->setText(prompt);
    const int icon = style & 0x70;
    if (icon == MsgStyle::Exclamation) {
        box->setIcon(QMessageBox::Warning);
    } else if (icon == MsgStyle::Information) {
        box->setIcon(QMessageBox::Information);
    }
    if (yesNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    // System-modal boxes (the pause) are application-modal here: asking the window manager to keep one above
    // every window would put it over the boxes that the game opens on top of it.
    box->setWindowModality(Qt::ApplicationModal);
    const int answer = box->exec();
    delete box.data();
    if (!yesNo) {
        return MsgResult::Ok;
    }
    return answer == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
}
