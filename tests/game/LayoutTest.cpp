// SPDX-License-Identifier: MIT
#include "GameTestSupport.h"
#include "game/Language.h"
#include "game/TargetPictures.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QKeySequence>
#include <QScreen>
#include <QStyleOption>

namespace {
// What a control's caption needs and the room it has: a push button's text and margin, a check box's or option's
// box and text, a frame's title; a label sized to its caption has the room up to the next control on its line, and
// a word-wrapped one its height.
std::pair<int, int> fit(const QWidget *c, const QString &text) {
    const auto *l = qobject_cast<const QLabel *>(c);
    const QFontMetrics metrics = c->fontMetrics();
    if (l && l->wordWrap()) {
        return {metrics.boundingRect(l->contentsRect(), Qt::TextWordWrap | int(l->alignment()), text).height(),
                l->contentsRect().height()};
    }
    QStyleOption option;
    option.initFrom(c);
    const QRect contents =
        qobject_cast<const QPushButton *>(c)    ? c->rect().adjusted(2, 0, -2, 0)
        : qobject_cast<const QRadioButton *>(c) ? c->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, c)
        : qobject_cast<const QAbstractButton *>(c) ? c->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, c)
        : qobject_cast<const QGroupBox *>(c)       ? c->rect().adjusted(0, 0, -12, 0)
                                                   : c->contentsRect();
    int room = contents.width();
    if (l && c->width() == l->sizeHint().width()) { // sized to its caption: the room is up to its neighbour
        room = c->parentWidget()->width() - c->x();
        for (const QWidget *s : c->parentWidget()->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (s != c && s->isVisible() && s->x() > c->x() && s->y() < c->geometry().bottom() &&
                s->geometry().bottom() > c->y()) {
                room = std::min(room, s->x() - c->x() - 2);
            }
        }
    }
    return {metrics.horizontalAdvance(QString(text).replace("&&", "\x01").remove('&')), room};
}

// Catches a control moved, resized, recoloured, re-worded, cut or drawn otherwise: each control whose pixels differ
// from tests/game/looks/LOOK.png is named (`PLINKARD_LOOKS=write` takes them anew: look at them before committing
// them); without a look (the translations), a text cut by its control, a label's text running into the next control
// or a wrapped text taller than its label. In each, an access key doubled (beyond the letters in `shared`, which the
// captions give twice), a label's key pressing the button after it, two controls Tab reaches reading alike to a screen
// reader, or Tab leaving the order of `tabs`.
void checkWindow(QWidget &window, const QString &look, const QString &shared = {}, std::vector<QWidget *> tabs = {}) {
    window.show();
    QApplication::setActiveWindow(&window);
    const QImage shot = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QString file = QStringLiteral(QT_TESTCASE_SOURCEDIR "/game/looks/") + look + ".png";
    qgetenv("PLINKARD_LOOKS") == "write" && !look.isEmpty() ? void(shot.save(file)) : void();
    const QImage before = look.isEmpty() ? shot : QImage(file).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), before.size()) << file;
    QStringList keys, said;
    for (QWidget *c : window.findChildren<QWidget *>() + QWidgetList{&window}) {
        const QRect place(c->mapTo(&window, QPoint()), c->size());
        if (!c->isVisible()) {
            continue;
        }
        const QString reads = QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
        EXPECT_TRUE(shot.copy(place) == before.copy(place))
            << look << ": " << c->metaObject()->className() << " \"" << reads << "\" at " << place.x() << ","
            << place.y() << " " << place.width() << "x" << place.height();
        const auto *l = qobject_cast<QLabel *>(c);
        const auto *b = qobject_cast<QAbstractButton *>(c);
        const auto *g = qobject_cast<QGroupBox *>(c);
        const QString caption = l ? l->text() : b ? b->text() : g ? g->title() : QString();
        const auto [need, room] = look.isEmpty() && !caption.isEmpty() ? fit(c, caption) : std::pair(0, 0);
        EXPECT_LE(need, room) << window.windowTitle() << " \"" << caption << "\" needs " << need << " of " << room;
        const QString key = QKeySequence::mnemonic(caption).toString();
        EXPECT_TRUE(key.isEmpty() || !keys.contains(key) || shared.contains(key.back()))
            << window.windowTitle() << " " << key;
        keys << key;
        if ((c->focusPolicy() & Qt::TabFocus) != 0) { // what a screen reader says there: a name of its own
            said << reads;
            EXPECT_TRUE(!reads.isEmpty() && said.count(reads) == 1) << look << " reads alike: \"" << reads << '"';
        }
        if (l && l->buddy() && !key.isEmpty() && !shared.contains(key.back())) {
            QTest::keySequence(&window, QKeySequence::mnemonic(caption)); // moves the focus, presses nothing
            EXPECT_TRUE(l->buddy()->hasFocus() && !l->buddy()->property("down").toBool()) << look << key.toStdString();
        }
    }
    for (size_t i = 0; i <= tabs.size() && !tabs.empty(); ++i) {
        i == 0 ? tabs.front()->setFocus() : QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), tabs[i % tabs.size()]) << look << " after " << i << " Tabs";
    }
}
} // namespace

// Each window as above: the main window with every target at its start (its place on the screen: run_desktop.py),
// then with the magazine empty (the sign and the prompt), each dialog (wholly on the screen over a window that is
// not), and the table with a name too long for it (its time in view).
// The crosshair is the cursor over the field and its targets only; the level options are one group, as on every
// desktop: Tab enters it at the selected level, the arrows select the next, Space leaves the level as it is. The
// targets stay at their start while ticks run behind the start-up "Sound Test" box.
TEST(Layout, EveryWindowAsThePlayerSeesItAndReachesIt) {
    GameRig rig;
    rig.fakes.sound.devices = 0;
    rig.fakes.messages.during = [&](const ShownBox &) {
        for (int tick = 0; tick < 50; ++tick) {
            rig.forms->main().tmrEasy->fire();
        }
    };
    frmPlinkard &w = rig.start();
    std::ranges::for_each(w.imgShoot, &QWidget::show);
    checkWindow(
        w, "main", {},
        {w.picPicture, w.optLevel[Easy], w.chkMusic, w.chkSounds, w.cmdNew, w.cmdSettings, w.cmdHigh, w.cmdExit});
    const QRect screen = QApplication::primaryScreen()->availableGeometry();
    const QImage crosshair = TargetPictures::crosshairCursor().pixmap().toImage();
    for (QWidget *c : w.findChildren<QWidget *>() + QList<QWidget *>{&w}) {
        const bool field = c->window() == &w && c != w.picPicture && !w.picPicture->isAncestorOf(c);
        EXPECT_EQ(c->cursor().pixmap().toImage() == crosshair, field) << c->objectName().toStdString();
    }
    selectLevel(w, Hard);
    const std::array keys{Qt::Key_Tab, Qt::Key_Right, Qt::Key_Space, Qt::Key_Left, Qt::Key_Left, Qt::Key_Left};
    const std::array levels{Hard, TooHard, TooHard, Hard, Easy, TooEasy}; // selected and holding the focus after each
    for (size_t i = 0; i < keys.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), keys.at(i));
        EXPECT_TRUE(w.selectedLevel() == levels.at(i) &&
                    QApplication::focusWidget() == w.optLevel.at(size_t(levels.at(i))))
            << "key " << i + 1 << ": level " << w.selectedLevel();
    }
    selectLevel(w, Easy);
    std::ranges::for_each(w.imgShoot, &QWidget::hide);
    w.chkSounds->setChecked(false);
    while (w.bulletsLeft > 0) {
        w.Form_Click();
    }
    checkWindow(w, "empty");
    w.move(screen.bottomRight() - QPoint(100, 100));
    frmSettings &s = rig.forms->settings(); // "&Shoot:", "No Winning &Score " and "C&olors", "&Okay" as given
    checkWindow(s, "settings", "SO",
                {s.txtMidi, s.cmdMusic, s.txtWave, s.cmdSound, s.chkChgSpd, s.chkPoints, s.chkWinScore, s.txtWinScore,
                 s.cmdColors, s.cmdOk, s.cmdNo});
    EXPECT_TRUE(screen.contains(s.frameGeometry())) << s.frameGeometry().x() << "," << s.frameGeometry().y();
    frmColors &c = rig.forms->colors(); // "&BG Image:" and "&Browse" as given
    checkWindow(c, "colors", "B",
                {c.txtBGImage, c.cmdBGBrowse, c.cmdBGColor, c.txtSBGImage, c.cmdSBGBrowse, c.cmdSBGColor,
                 c.cmdForeColor, c.cmdOk, c.cmdNo});
    checkWindow(rig.forms->name(), "name", {}, {rig.forms->name().txtName, rig.forms->name().cmdOkay});
    w.lblScore->setText("9500");
    w.lblTime->setText("1:2:3");
    rig.forms->name().txtName->setText(QString(40, u'W'));
    frmScores &t = rig.forms->scores();
    t.fill(rig.mod.ScoreLines);
    t.Command1->click();
    checkWindow(t, "scores", {}, {t.cmdClose, t.cmdClear, t.Command1});
}

// The windows as above in German, French and Spanish, each text measured against its control (at scale 2 too), with
// the sign and the prompt of an empty magazine and a full table.
TEST(Languages, EveryTextFitsItsControlAndKeysStayOnePerWindow) {
    for (const char *language : {"de", "fr", "es"}) {
        ASSERT_TRUE(Language::use(QString::fromLatin1(language)));
        GameRig rig;
        frmPlinkard &w = rig.start();
        while (w.bulletsLeft > 0) {
            w.Form_Click();
        }
        rig.forms->scores().fill(rig.mod.ScoreLines);
        for (QWidget *window :
             QWidgetList{&w, &rig.forms->settings(), &rig.forms->colors(), &rig.forms->scores(), &rig.forms->name()}) {
            checkWindow(*window, {});
            window->hide();
        }
    }
    Language::use({});
}
