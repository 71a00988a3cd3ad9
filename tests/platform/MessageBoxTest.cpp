// SPDX-License-Identifier: MIT
#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// Catches Escape or the close box answering a Yes/No box (once, "No" to "You made it!" ended the game), Return not Yes.
TEST(QtMessageBoxes, EscapeAndCloseAnswerOnlyOkBoxesReturnTheDefault) {
    const std::vector<std::tuple<int, QMessageBox::StandardButton, MsgResult>> boxes{
        {MsgStyle::YesNo + MsgStyle::Exclamation, QMessageBox::Yes, MsgResult::Yes},
        {MsgStyle::YesNo + MsgStyle::Exclamation, QMessageBox::No, MsgResult::No},
        {MsgStyle::OkOnly, QMessageBox::Ok, MsgResult::Ok}};
    for (const int key : {int(Qt::Key_Escape), 0, int(Qt::Key_Return)}) { // 0: the close box
        for (const auto &[style, button, answer] : boxes) {
            bool stillOpen = false;
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                key != 0 ? QTest::keyClick(box, static_cast<Qt::Key>(key)) : (void)box->close();
                QApplication::processEvents();
                (stillOpen = box->isVisible()) ? box->button(button)->click() : void();
            });
            EXPECT_EQ(QtMessageBoxes().show(nullptr, "Keep playing?", style, "You made it!"),
                      key == Qt::Key_Return && answer == MsgResult::No ? MsgResult::Yes : answer);
            EXPECT_EQ(stillOpen, key != Qt::Key_Return && answer != MsgResult::Ok) << key << " " << style;
        }
    }
}
