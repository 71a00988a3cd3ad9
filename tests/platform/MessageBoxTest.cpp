// SPDX-License-Identifier: MIT
#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

// Catches a box that opens while another waits (the winning score's question behind the pause) owned by the game's
// window, which a window manager stacks under the waiting box or puts beside it; a box asking to stay above every
// window; a box off the screen, or off the middle of the window it belongs to (of the screen at start-up); Escape or
// the close box answering a Yes/No box (once, "No" to "You made it!" ended the game), or Return not answering Yes.
TEST(QtMessageBoxes, ABoxOpensOverTheWindowOnTopAndOnlyTheButtonsAnswerAQuestion) {
    QWidget game;
    game.setWindowTitle("Plinkard");
    const QRect screen = game.screen()->availableGeometry();
    for (const QPoint at : {QPoint(212, 139), screen.bottomRight() - QPoint(100, 100)}) { // the second half off
        const bool inside = at.x() < screen.center().x();
        game.setGeometry(QRect(at, QSize(376, 322)));
        game.show();
        QStringList seen; // the owner each box is transient for, and the question's answer
        const auto look = [&](QWidget *owner) {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            const bool transient = box->windowHandle()->transientParent() == (owner ? owner->windowHandle() : nullptr);
            seen << (!transient ? "not transient" : owner ? owner->windowTitle() : "none");
            const QPoint off = box->geometry().center() - (owner ? owner->geometry() : screen).center();
            EXPECT_TRUE(screen.contains(box->geometry()) && !box->windowFlags().testFlag(Qt::WindowStaysOnTopHint) &&
                        (!inside || off.manhattanLength() <= 2))
                << box->windowTitle().toStdString() << " " << off.x() << "," << off.y();
            return box;
        };
        QTimer::singleShot(0, [&] {
            QMessageBox *paused = look(&game);
            QTimer::singleShot(0, [&] {
                QMessageBox *question = look(paused);
                QTest::keyClick(question, Qt::Key_Escape);
                question->close();
                EXPECT_TRUE(question->isVisible());
                inside ? QTest::keyClick(question, Qt::Key_Return) : question->button(QMessageBox::No)->click();
            });
            seen << (QtMessageBoxes().show(&game, "Keep?", MsgStyle::YesNo, "You made it!") == MsgResult::Yes ? "Yes"
                                                                                                              : "No");
            QTest::keyClick(paused, Qt::Key_Escape);
            EXPECT_FALSE(paused->isVisible());
        });
        QtMessageBoxes().show(&game, "Paused.", MsgStyle::SystemModal, "Paused");
        game.hide();
        QTimer::singleShot(0, [&] { EXPECT_FALSE((look(nullptr)->close(), QApplication::activeModalWidget())); });
        QtMessageBoxes().show(&game, "Your system cannot play sounds.", MsgStyle::Information, "Sound Test");
        EXPECT_EQ(seen.join(u','), inside ? "Plinkard,Paused,Yes,none" : "Plinkard,Paused,No,none");
    }
}
