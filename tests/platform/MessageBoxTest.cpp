#include "platform/QtMessageBoxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct Poke {
    const char *what;
    std::function<void(QMessageBox &)> act;
};

const std::vector<Poke> Pokes{
    {"Escape", [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); }},
    {"close box", [](QMessageBox &box) { box.close(); }},
};

// Shows a real box; once it is up, pokes it, notes whether it is still open, then clicks `button`
// if it is.
MsgResult showAndPoke(int style, const Poke &poke, QMessageBox::StandardButton button, bool &stillOpen) {
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        poke.act(*box);
        QApplication::processEvents();
        stillOpen = box->isVisible();
        if (stillOpen) {
            box->button(button)->click();
        }
    });
    QtMessageBoxes boxes;
    return boxes.show(nullptr, QStringLiteral("Keep playing?"), style, QStringLiteral("You made it!"));
}
} // namespace

// A Yes/No question has no cancel: Escape and the close box leave it open, and only its buttons answer.
TEST(QtMessageBoxes, YesNoIsAnsweredOnlyByItsButtons) {
    for (const Poke &poke : Pokes) {
        for (const auto &[button, answer] :
             {std::pair{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}}) {
            bool stillOpen = false;
            EXPECT_EQ(showAndPoke(MsgStyle::YesNo + MsgStyle::Exclamation, poke, button, stillOpen), answer)
                << poke.what;
            EXPECT_TRUE(stillOpen) << poke.what;
        }
    }
}

// An OK box keeps Escape and the close box as OK.
TEST(QtMessageBoxes, OkBoxClosesOnEscape) {
    for (const Poke &poke : Pokes) {
        bool stillOpen = true;
        EXPECT_EQ(showAndPoke(MsgStyle::OkOnly, poke, QMessageBox::Ok, stillOpen), MsgResult::Ok);
        EXPECT_FALSE(stillOpen) << poke.what;
    }
}
