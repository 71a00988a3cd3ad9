// SPDX-License-Identifier: MIT
#include "GameTestSupport.h"

namespace {
constexpr int Miss = -1; // a click on the empty field

// A shot and what it must leave: 100 a hit, -95 a miss, a bonus, a penalty, a speed change, the bullets a level costs.
struct ShotRow {
    int level, index, scoreDelta, levelAfter, bulletsAfter = 13;
    bool penguin = false, chgSpd = true, points = true;
    int bulletsBefore = 14, easyBefore = 0;
};

// clang-format off
const std::vector<ShotRow> ShotTable{
    {Easy, 5, 100, Easy}, {Easy, 31, 3000, Easy}, {Easy, 14, -3000, Easy}, {Easy, 13, 600, Hard}, // a rule each
    {Easy, 31, 100, Easy, 13, false, true, false}, {Easy, 31, 100, Easy, 13, false, false}, // an option clear
    {Easy, 18, 100, TooEasy}, {Hard, 44, 100, Easy}, {Easy, 21, 100, TooHard}, {Easy, 21, 100, Easy, 13, false, false},
    {Easy, 28, 100, Easy, 13, true}, {Easy, 34, 100, Easy, 13, true}, {Easy, 56, 100, Easy, 13, true}, // penguins
    {Easy, 56, 100, Easy, 13, false, false}, {Easy, 56, 100, Easy, 13, false, true, false},
    {Hard, 52, 100, Easy}, {Easy, 32, 100, Hard}, {Easy, 51, 100, Hard}, {Easy, 4, 600, Easy}, {Easy, 43, -3000, Easy},
    {Easy, 54, -300, Easy}, {Easy, 24, -1000, Easy}, {Easy, 12, -800, Easy}, {Easy, 22, -800, Easy}, // every other rule
    {Hard, 29, 100, Hard}, {Easy, 19, 500, Easy, 0, false, true, true, 1}, {TooHard, 37, 100, TooHard, 12}, // bullets
    {TooHard, 18, 100, TooEasy, 0, false, true, true, 2}, {TooHard, 34, 100, TooHard, 0, false, true, true, 1},
    {TooHard, 31, 100, TooHard, 0, false, true, true, 1}, {TooHard, 44, 100, TooHard, 0, false, true, true, 1},
    {TooEasy, 49, 100, TooEasy, 14}, {TooEasy, 33, 600, TooEasy, 13, false, true, true, 14, 1}, // every second shot
    {Easy, Miss, -95, Easy}, {TooHard, Miss, -95, TooHard, 12}, {TooHard, Miss, -95, TooHard, 0, false, true, true, 1},
    {TooEasy, Miss, -95, TooEasy, 13, false, true, true, 14, 1}, {TooEasy, Miss, -95, TooEasy, 14},
};
// clang-format on
} // namespace

// Catches a step of the hit or miss handler left out, done in the wrong order or shown wrongly, or Too Easy's count of
// shots lost between them.
TEST(Shooting, EveryRowOfTheTableOnTheWindow) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    frmSettings &settings = rig.forms->settings();
    QString boxes; // what each box said, and the score while it was up
    rig.fakes.messages.during = [&](const ShownBox &b) {
        boxes += b.prompt + "|" + b.title + "|" + QString::number(b.style) + "|" + b.owner + "|" + w.lblScore->text();
    };
    for (const ShotRow &r : ShotTable) {
        SCOPED_TRACE(::testing::Message() << "level " << r.level << " target " << r.index);
        settings.chkChgSpd->setChecked(r.chgSpd);
        settings.chkPoints->setChecked(r.points);
        w.cmdNew_Click();
        selectLevel(w, Easy);
        for (int i = 0; i < MagazineSize - r.bulletsBefore; ++i) {
            w.Form_Click(); // one bullet a shot at Easy
        }
        selectLevel(w, r.level);
        w.lblScore->setText("0");
        w.lblMiss->setText("0");
        w.easyShotCount = static_cast<int16_t>(r.easyBefore);
        boxes.clear();
        r.index == Miss ? w.Form_Click() : hit(w, r.index);
        const int bullets = r.penguin ? MagazineSize : r.bulletsAfter; // a penguin: the box, then a new game
        QString magazine;                                              // the pictures go from the right
        for (const ImageControl *bullet : w.imgBullet) {
            magazine += bullet->isHidden() ? u'-' : u'|';
        }
        EXPECT_EQ(QStringList({boxes, w.lblScore->text(), w.lblMiss->text(), QString::number(w.bulletsLeft), magazine,
                               w.lblReload->text(), QString::number(w.lblFlash->isHidden()),
                               QString::number(w.selectedLevel()) +
                                   (w.levelTimer(r.levelAfter)->isEnabled() ? " running" : " stopped")}),
                  QStringList({r.penguin ? "You loose!  Don't shoot the Linux Penguin!|Oops!|48|Plinkard|100" : "",
                               QString::number(r.penguin ? 0 : r.scoreDelta), r.index == Miss ? "1" : "0",
                               QString::number(bullets), QString(bullets, u'|') + QString(MagazineSize - bullets, u'-'),
                               bullets > 0 ? "" : "CLICK TO RELOAD", QString::number(bullets > 0),
                               QString::number(r.levelAfter) + " running"}));
    }
    // Over consecutive shots at Too Easy, hits and misses alike, the count goes on across a reload, New Game and a
    // level change: from a full magazine, the 28th shot takes the last bullet.
    selectLevel(w, TooEasy);
    w.easyShotCount = 0;
    w.Form_Click();
    w.lblReload_Click();
    w.cmdNew_Click();
    selectLevel(w, Hard);
    selectLevel(w, TooEasy);
    for (int shot = 2; shot <= 28; ++shot) {
        shot % 2 == 0 ? w.Form_Click() : hit(w, 5);
    }
    EXPECT_EQ(w.bulletsLeft, 0) << "after 28 shots at Too Easy";
}

// Catches a click routed to the wrong handler, a double click counted twice, wrong shot sounds, or a stale count read;
// shots or the music silent for a start without a sound device (a server may come later), or its box's text; a reload
// trigger deaf to the mouse or, for a screen reader, without the press action of a click: once the magazine is empty,
// only the sign and the prompt are left (a bullet reloads while one is shown).
TEST(Shooting, RealClicksAndTheirSounds) {
    GameRig rig;
    rig.fakes.sound.devices = 0;
    frmPlinkard &w = rig.start();
    const ShownBox box = rig.fakes.messages.shown.at(0); // and the music asked for all the same
    EXPECT_EQ(box.prompt + "|" + box.title + "|" + QString::number(box.style) + "|" +
                  rig.fakes.sound.calls.filter("open").join(','),
              "Your system cannot play sounds.|Sound Test|64|open /opt/plinkard/snot.mid mymid");
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ImageControl *target = w.imgShoot[5];
    target->move(100, 100);
    target->show();
    QTest::mouseDClick(w.windowHandle(), Qt::LeftButton, Qt::NoModifier, target->geometry().center());
    EXPECT_TRUE(target->isHidden());
    const auto bullets = [&] { // as a screen reader names them, once the handler that changed them has run
        QApplication::processEvents();
        return QAccessible::queryAccessibleInterface(w.imgBullet[0])->text(QAccessible::Name);
    };
    EXPECT_EQ(w.lblScore->text() + " " + w.lblMiss->text() + " " + bullets(), "5 1 12 bullets left"); // a hit, a miss
    w.chkSounds->setChecked(false);
    while (w.bulletsLeft > 1) {
        w.Form_Click();
    }
    EXPECT_EQ(bullets(), "1 bullet left");
    w.Form_Click();
    hit(w, 7);
    EXPECT_FALSE(w.imgShoot[7]->isHidden());
    EXPECT_EQ(rig.fakes.sound.waves(),
              QStringList({"/opt/plinkard/mchgun.wav", "/opt/plinkard/mchgun.wav", "/opt/plinkard/miss.wav"}));
    for (const bool reader : {false, true}) { // a click, then a screen reader's press
        for (QWidget *control : std::initializer_list<QWidget *>{w.lblFlash, w.lblReload, w.imgBullet[0]}) {
            while (w.bulletsLeft > (control == w.imgBullet[0] ? 1 : 0)) {
                w.Form_Click();
            }
            const QString misses = w.lblMiss->text();
            reader ? void(QAccessible::queryAccessibleInterface(control)->actionInterface()->doAction("Press"))
                   : QTest::mouseClick(control, Qt::LeftButton);
            EXPECT_EQ(bullets() + " " + w.lblMiss->text(), "14 bullets left " + misses) // and no miss
                << (reader ? "press " : "click ") << control->metaObject()->className();
        }
    }
}
