#include "fakes/GameRig.h"
#include "platform/PictureBox.h"
#include "scores/frmName.h"
#include "scores/frmScores.h"
#include "settings/frmColors.h"
#include "settings/frmSettings.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Takes the shortcut events of the controls it watches. A button reached by its access key
// only starts a 100 ms press animation; with `click` set the catcher clicks it at once instead.
class ShortcutCatcher final : public QObject {
public:
    explicit ShortcutCatcher(bool click = false) : m_click(click) {}
    QList<QObject *> receivers;

    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() != QEvent::Shortcut) {
            return false;
        }
        receivers.append(watched);
        if (auto *button = qobject_cast<QAbstractButton *>(watched); m_click && button != nullptr) {
            button->click();
        }
        return true;
    }

private:
    bool m_click;
};

QString caption(QWidget *control) {
    if (auto *label = qobject_cast<QLabel *>(control)) {
        return label->text();
    }
    if (auto *button = qobject_cast<QAbstractButton *>(control)) {
        return button->text();
    }
    return {};
}

// The visible controls of a window grouped by the access key of their caption.
QMap<QString, QList<QObject *>> controlsByAccessKey(QWidget &window) {
    QMap<QString, QList<QObject *>> byKey;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        const QKeySequence key = QKeySequence::mnemonic(caption(control));
        if (!key.isEmpty() && control->isVisibleTo(&window)) {
            byKey[key.toString()].append(control);
        }
    }
    return byKey;
}

void activate(QWidget &window) {
    window.show();
    // A dialog shown over the main window is not made active by the offscreen platform itself.
    QApplication::setActiveWindow(&window);
    ASSERT_EQ(QApplication::activeWindow(), &window);
}

// Presses every access key of the window as often as controls share it; each control
// must be reached once, the shared letters in turn.
void expectEveryAccessKeyReachesItsControl(QWidget &window, int expectedKeys) {
    activate(window);
    const auto byKey = controlsByAccessKey(window);
    EXPECT_EQ(byKey.size(), expectedKeys) << window.windowTitle().toStdString();
    ShortcutCatcher catcher;
    for (const auto &controls : byKey) {
        for (QObject *control : controls) {
            control->installEventFilter(&catcher);
        }
    }
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        catcher.receivers.clear();
        const QKeySequence key(it.key());
        for (qsizetype press = 0; press < it.value().size(); ++press) {
            QTest::keySequence(&window, key);
        }
        const QSet<QObject *> reached(catcher.receivers.cbegin(), catcher.receivers.cend());
        const QSet<QObject *> expected(it.value().cbegin(), it.value().cend());
        EXPECT_EQ(reached, expected) << window.windowTitle().toStdString() << " " << it.key().toStdString();
    }
    // The next window only becomes active once this one is gone.
    window.hide();
}
} // namespace

// Alt+X presses "E&xit" wherever the focus is in the main window, and the game closes.
TEST(AccessKeys, AltXLeavesTheGame) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    activate(w);
    ASSERT_TRUE(w.picPicture->hasFocus());
    ShortcutCatcher catcher(true);
    w.cmdExit->installEventFilter(&catcher);
    QTest::keyClick(&w, Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(catcher.receivers, QList<QObject *>{w.cmdExit});
    EXPECT_FALSE(w.isVisible());
    // Leaving saved the switches, as a close by the box does.
    EXPECT_TRUE(rig.fakes.store.has(QStringLiteral("MIDI ON-OFF")));
}

// The "&" letters of every window's captions reach their button, check box or label.
TEST(AccessKeys, EveryCaptionLetterWorks) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    expectEveryAccessKeyReachesItsControl(w, 1);
    expectEveryAccessKeyReachesItsControl(rig.forms->settings(), 9);
    expectEveryAccessKeyReachesItsControl(rig.forms->colors(), 11);
    expectEveryAccessKeyReachesItsControl(rig.forms->scores(), 2);
}

// A label's letter puts the cursor into the box it names.
TEST(AccessKeys, LabelLettersFocusTheirBoxes) {
    GameRig rig;
    rig.start();
    frmSettings &s = rig.forms->settings();
    activate(s);
    QTest::keyClick(&s, Qt::Key_M, Qt::AltModifier);
    EXPECT_TRUE(s.txtMidi->hasFocus());
    QTest::keyClick(&s, Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(s.txtWinScore->hasFocus());
}

// Enter in the name box presses the default "Okay": the name goes into the opened table.
TEST(AccessKeys, EnterInTheNameDialogPressesOkay) {
    for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        GameRig rig;
        frmPlinkard &w = rig.start();
        w.lblScore->setText(QStringLiteral("5500"));
        frmName &entry = rig.forms->name();
        activate(entry);
        QTest::keyClicks(entry.txtName, QStringLiteral("Dot"));
        QTest::keyClick(entry.txtName, enter);
        ASSERT_TRUE(rig.forms->isScoresLoaded()) << enter;
        frmScores &table = rig.forms->scores();
        EXPECT_TRUE(table.isVisible());
        EXPECT_EQ(table.lblName[5]->text(), QStringLiteral("Dot (0:0:0)"));
        table.close();
    }
}
