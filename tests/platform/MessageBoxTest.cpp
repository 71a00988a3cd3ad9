// SPDX-License-Identifier: MIT
#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

// Catches Escape or the close box answering a Yes/No box (once, "No" to "You made it!" ended the game).
TEST(QtMessageBoxes, EscapeAndCloseAnswerOnlyOkBoxes) {
    const std::vector<std::tuple<int, QMessageBox::StandardButton, MsgResult>> boxes{
        {MsgStyle::YesNo + MsgStyle::Exclamation, QMessageBox::Yes, MsgResult::Yes},
        {MsgStyle::YesNo + MsgStyle::Exclamation, QMessageBox::No, MsgResult::No},
        {MsgStyle::OkOnly, QMessageBox::Ok, MsgResult::Ok}};
    for (const bool escape : {true, false}) {
        for (const auto &[style, button, answer] : boxes) {
            bool stillOpen = false;
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                ASSERT_NE(box, nullptr);
                escape ? QTest::keyClick(box, Qt::Key_Escape) : (void)box->close();
                QApplication::processEvents();
                (stillOpen = box->isVisible()) ? box->button(button)->click() : void();
            });
            EXPECT_EQ(QtMessageBoxes().show(nullptr, "Keep playing?", style, "You made it!"), answer);
            EXPECT_EQ(stillOpen, answer != MsgResult::Ok) << escape << " " << style;
        }
    }
}
