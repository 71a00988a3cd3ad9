// SPDX-License-Identifier: MIT
#include "GameTestSupport.h"
#include "game/TargetPictures.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QStyleOption>

namespace {
constexpr int Slack = 2; // twips made pixels, for another font: a pixel or two over is no cut

// The caption and the room it needs: a button's frame, a check box's box or a frame title's margins added.
std::pair<QString, int> captionAndNeed(const QWidget *c) {
    const auto *l = qobject_cast<const QLabel *>(c);
    const auto *b = qobject_cast<const QAbstractButton *>(c);
    const auto *g = qobject_cast<const QGroupBox *>(c);
    const QString caption = l ? l->text() : b ? b->text() : g ? g->title() : QString();
    const int text = c->fontMetrics().horizontalAdvance(QString(caption).replace("&&", "\x01").remove('&'));
    if (caption.isEmpty() || qobject_cast<const QPushButton *>(c)) {
        return {caption, caption.isEmpty() ? 0 : text + 4};
    }
    QStyleOption option;
    option.initFrom(c);
    const auto element =
        qobject_cast<const QRadioButton *>(c) ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents;
    const QRect room = l   ? l->contentsRect()
                       : b ? c->style()->subElementRect(element, &option, c)
                           : c->rect().adjusted(0, 0, -12, 0);
    return {caption, l && l->wordWrap() ? 0 : text + c->width() - room.width()};
}

// Catches a control outside its window, a caption too long for its control, an access key doubled (beyond the
// letters in `shared`, which the window's own captions give twice), a label's key pressing the button after it, two
// controls that Tab reaches reading alike to a screen reader, or Tab leaving the order of `tabs` (a disabled control
// is passed over).
void checkWindow(QWidget &window, const QString &shared = {}, std::vector<QWidget *> tabs = {}) {
    const auto name = window.windowTitle().toStdString();
    window.show();
    QApplication::setActiveWindow(&window);
    const QRect inside = window.rect().adjusted(-Slack, -Slack, Slack, Slack);
    QStringList keys, said;
    for (QWidget *c : window.findChildren<QWidget *>()) {
        if (!c->isVisibleTo(&window) ||
            !(qobject_cast<QLabel *>(c) || qobject_cast<QAbstractButton *>(c) || qobject_cast<QLineEdit *>(c) ||
              qobject_cast<QGroupBox *>(c) || qobject_cast<ImageControl *>(c))) {
            continue;
        }
        const auto [caption, need] = captionAndNeed(c);
        const bool bareFrame = qobject_cast<QGroupBox *>(c) && caption.isEmpty(); // its border sits above the window
        EXPECT_TRUE(bareFrame || inside.contains(QRect(c->mapTo(&window, QPoint(0, 0)), c->size())))
            << name << " " << c->objectName().toStdString();
        EXPECT_LE(need, c->width() + Slack) << name << " \"" << caption.toStdString() << "\"";
        const QString key = QKeySequence::mnemonic(caption).toString();
        EXPECT_TRUE(key.isEmpty() || !keys.contains(key) || shared.contains(key.back()))
            << name << " " << key.toStdString();
        keys << key;
        if (c->focusPolicy() & Qt::TabFocus) {
            said << QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
            EXPECT_TRUE(!said.last().isEmpty() && said.count(said.last()) == 1)
                << name << " " << said.last().toStdString();
        }
        if (auto *l = qobject_cast<QLabel *>(c); l && l->buddy() && !key.isEmpty() && !shared.contains(key.back())) {
            QTest::keySequence(&window, QKeySequence::mnemonic(caption)); // moves the focus, presses nothing
            EXPECT_TRUE(l->buddy()->hasFocus() && !l->buddy()->property("down").toBool()) << name << key.toStdString();
        }
    }
    std::erase_if(tabs, [](const QWidget *t) { return !t->isEnabled(); });
    for (size_t i = 0; i <= tabs.size() && !tabs.empty(); ++i) {
        i == 0 ? tabs.front()->setFocus() : QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), tabs[i % tabs.size()]) << name << " after " << i << " Tabs";
    }
    window.hide();
}
} // namespace

// Each window as above; the crosshair is the cursor over the field and its targets, and nowhere on the score panel.
TEST(Layout, EveryWindowHoldsItsControlsCaptionsAndKeys) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    checkWindow(
        w, {},
        {w.picPicture, w.optLevel[Easy], w.chkMusic, w.chkSounds, w.cmdNew, w.cmdSettings, w.cmdHigh, w.cmdExit});
    // The level options are one group, as on every desktop: Tab enters it at the selected level, the arrows select
    // the next, Space leaves the level as it is.
    w.show();
    QApplication::setActiveWindow(&w);
    selectLevel(w, Hard);
    QString levels; // the level selected, and the option holding the focus, after each key
    for (const Qt::Key key : {Qt::Key_Tab, Qt::Key_Right, Qt::Key_Space, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left}) {
        QTest::keyClick(QApplication::focusWidget(), key);
        const auto focused = std::ranges::find(w.optLevel, QApplication::focusWidget()) - w.optLevel.begin();
        levels += QStringLiteral("%1%2 ").arg(w.selectedLevel()).arg(focused);
    }
    EXPECT_EQ(levels, "22 33 33 22 11 00 ");
    w.hide();
    const QImage crosshair = TargetPictures::crosshairCursor().pixmap().toImage();
    for (QWidget *c : w.findChildren<QWidget *>() + QList<QWidget *>{&w}) {
        const bool field = c->window() == &w && c != w.picPicture && !w.picPicture->isAncestorOf(c);
        EXPECT_EQ(c->cursor().pixmap().toImage() == crosshair, field) << c->objectName().toStdString();
    }
    frmSettings &s = rig.forms->settings(); // "&Shoot:", "No Winning &Score " and "C&olors", "&Okay" as given
    checkWindow(s, "SO",
                {s.txtMidi, s.cmdMusic, s.txtWave, s.cmdSound, s.chkChgSpd, s.chkPoints, s.chkWinScore, s.txtWinScore,
                 s.cmdColors, s.cmdOk, s.cmdNo});
    frmColors &c = rig.forms->colors(); // "&BG Image:" and "&Browse" as given
    checkWindow(c, "B",
                {c.txtBGImage, c.cmdBGBrowse, c.cmdBGColor, c.txtSBGImage, c.cmdSBGBrowse, c.cmdSBGColor,
                 c.cmdForeColor, c.cmdOk, c.cmdNo});
    frmScores &t = rig.forms->scores();
    checkWindow(t, {}, {t.cmdClose, t.cmdClear, t.Command1});
    checkWindow(rig.forms->name(), {}, {rig.forms->name().txtName, rig.forms->name().cmdOkay});
}
