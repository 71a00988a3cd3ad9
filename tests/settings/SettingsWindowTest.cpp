// SPDX-License-Identifier: MIT
#include "game/GameTestSupport.h"
#include "platform/BgrColor.h"
#include "platform/QtFileDialogs.h"
#include "settings/StoredSettings.h"

#include <QClipboard>
#include <QFileSystemModel>
#include <QImage>
#include <QTemporaryDir>
#include <climits>

using namespace StoredSettings;

namespace {
// Music|shot|winning score|0/1 for No Winning Score, box enabled, speed, points.
QString shown(frmSettings &s) {
    return QStringList({s.txtMidi->text(), s.txtWave->text(), s.txtWinScore->text(), ""}).join('|') +
           QString::number(s.chkWinScore->isChecked()) + QString::number(s.txtWinScore->isEnabled()) +
           QString::number(s.chkChgSpd->isChecked()) + QString::number(s.chkPoints->isChecked());
}

// Opens Settings by Enter on its button; `inside` runs while it is up and must close it.
void whileOpen(GameRig &rig, const std::function<void(frmSettings &)> &inside) {
    QTimer::singleShot(0, [&] { inside(rig.forms->settings()); });
    QTest::keyClick(rig.forms->main().cmdSettings, Qt::Key_Return);
}
} // namespace

// Catches Okay storing a value from the wrong box or key, a path's case changed, a winning score stored that reads back
// as another, Cancel not re-reading, play not halted and resumed, Enter deaf on a button or pressing one from a box.
TEST(SettingsWindow, OkayStoresTheSixValuesAndCancelRestores) {
    GameRig rig;
    rig.fakes.files.files.insert("/Music/My B.MID", "data");
    rig.fakes.fileDialogs.answers = {"/browsed.mid"};
    frmPlinkard &w = rig.start();
    selectLevel(w, TooEasy);
    for (const auto &[typed, winning] : {std::pair{"5000", "5000"}, {"12a", "100000000"}, {"12é", "100000000"}}) {
        whileOpen(rig, [&](frmSettings &s) {
            EXPECT_EQ(timerFlags(w), std::vector<bool>(6, false));
            s.txtMidi->setText("/Music/My B.MID");
            s.txtWave->setText("/gone.wav"); // a missing file is stored empty
            s.txtWinScore->setText(QString::fromUtf8(typed));
            s.chkChgSpd->setChecked(false);
            s.chkWinScore->setChecked(true);
            QTest::keyClick(s.txtWave, Qt::Key_Return);
            QTest::keyClick(s.cmdOk, Qt::Key_Return);
        });
        EXPECT_EQ(rig.fakes.store.dump(),
                  QString("Change Speed=0|Extra Points=1|MIDI=/Music/My B.MID|WAVE=|Win Score=1|Winning Score=%1")
                      .arg(winning));
    }
    const QString before = rig.fakes.store.dump();
    whileOpen(rig, [&](frmSettings &s) {
        s.txtMidi->setText("/edited.mid");
        s.chkPoints->setChecked(false);
        QTest::keyClick(s.cmdNo, Qt::Key_Enter);
    });
    EXPECT_EQ(rig.fakes.store.dump(), before);
    EXPECT_EQ(rig.fakes.sound.calls.last(2), QStringList({"open /Music/My B.MID mymid", "play mymid"}));
    EXPECT_EQ(shown(rig.forms->settings()), "/Music/My B.MID||100000000|1001");
    EXPECT_EQ(timerFlags(w), playingAt(TooEasy));
}

// Catches a stored value misread or read from another key: garbage gives the default (once, "12é" or a tab turned the
// score off). The settings window as above (default paths left out), then Music and Sounds On/Off, the music heard.
TEST(SettingsWindow, StoredValuesTable) {
    const std::vector<std::pair<std::vector<std::pair<QString, QString>>, const char *>> rows{
        {{{WinScore, "yes"}, {ChangeSpeed, "2"}, {ExtraPoints, "-1"}, {WinningScore, "12é"}}, "100000000|0111 111"},
        {{{WinScore, " 1 "}, {ChangeSpeed, "0\n"}, {ExtraPoints, "0"}, {WinningScore, ""}}, "|1000 111"},
        {{{WinningScore, "1\t2"}, {MidiOnOff, " 0"}, {WaveOnOff, "yes"}}, "100000000|0111 010"},
        {{{WinningScore, "0042"}, {WaveOnOff, "0"}, {Midi, "/a.mid"}, {Wave, "/b"}}, "/a.mid|/b|0042|0111 101"},
    };
    for (const auto &[stored, expected] : rows) {
        GameRig rig;
        for (const auto &[key, value] : stored) {
            rig.fakes.store.set(key, value);
        }
        frmPlinkard &w = rig.start();
        QString seen = shown(rig.forms->settings()) + " " + QString::number(w.chkMusic->isChecked()) +
                       QString::number(w.chkSounds->isChecked()) +
                       QString::number(rig.fakes.sound.calls.contains("play mymid"));
        EXPECT_EQ(seen.remove("/opt/plinkard/snot.mid|/opt/plinkard/mchgun.wav|"), QString::fromUtf8(expected));
    }
}

// Catches an upgrade from the package that kept the program in /usr/lib/plinkard silencing the music and the shots: a
// stored file of that folder that is gone plays from beside today's program, or the default does, and Exit stores that.
// A file still there (that package not yet upgraded) and a missing file elsewhere stay as stored.
TEST(SettingsWindow, StoredFilesOfTheFormerProgramFolderFollowTheProgram) {
    const QString old = FormerProgramFolder, now = "/opt/plinkard/";
    // Stored music and shot, the files there (space-separated), then the music opened at start and stored by Exit and
    // the shot stored by Exit.
    const std::vector<std::array<QString, 5>> rows{
        {old + "snot.mid", old + "mchgun.wav", now + "snot.mid", now + "snot.mid", now + "mchgun.wav"},
        {old + "gone.mid", old + "miss.wav", now + "miss.wav", now + "snot.mid", now + "miss.wav"},
        {old + "snot.mid", old + "a/miss.wav", old + "snot.mid " + now + "a/miss.wav", old + "snot.mid",
         now + "mchgun.wav"},
        {"/home/u/snot.mid", "/usr/lib/plinkard2/mchgun.wav", "", "/home/u/snot.mid", "/usr/lib/plinkard2/mchgun.wav"},
    };
    for (const auto &[music, shot, files, played, shoots] : rows) {
        GameRig rig;
        rig.fakes.store.set(Midi, music);
        rig.fakes.store.set(Wave, shot);
        for (const QString &file : files.split(u' ', Qt::SkipEmptyParts)) {
            rig.fakes.files.files.insert(file, "data");
        }
        rig.start().cmdExit->click();
        const QStringList seen{rig.fakes.sound.calls.filter("open ").value(0).section(' ', 1, 1),
                               rig.fakes.store.values.value("Brindlecot/Plinkard/MIDI"),
                               rig.fakes.store.values.value("Brindlecot/Plinkard/WAVE")};
        EXPECT_EQ(seen.join(' ').toStdString(), QStringList({played, played, shoots}).join(' ').toStdString());
    }
}

// Catches a non-digit of codes 32 to 126 let into the winning-score box or another key refused (Backspace, "é"), "No
// Winning Score" not switching the box; a long stored value cut (a 100,009-character music path lost its end on Exit)
// or Exit storing a path from the wrong box of a loaded settings window; typing past the longest file name taken
// silently; or a Browse dialog listing other files than its filter names, or starting elsewhere than in the program's
// folder.
TEST(SettingsWindow, BoxesTakeWhatTheyMayAndBrowseListsWhatItsFilterNames) {
    const QString path = "/" + QString(100'008, u'm'), digits(40'000, u'9');
    QTemporaryDir dir;
    for (const char *name : {"a.mid", "b.rmi", "c.wav", "d.gif", "e.jpg", "f.bmp", "g.wmf", "h.dib", "mid", "x.midi"}) {
        QFile(dir.filePath(name)).open(QIODevice::WriteOnly);
    }
    QtFileDialogs real;
    GameRig rig;
    rig.fakes.fileDialogs.real = &real;
    rig.fakes.store.set(Midi, path);
    rig.fakes.store.set(WinningScore, digits);
    frmPlinkard &w = rig.start();
    frmSettings &s = rig.forms->settings();
    EXPECT_EQ(s.txtWinScore->text(), digits);
    s.show();
    QApplication::setActiveWindow(&s);
    s.txtWinScore->clear();
    QTest::keyClicks(s.txtWinScore, "1a 2+-.3/:~");
    QTest::sendKeyEvent(QTest::Click, s.txtWinScore, Qt::Key_unknown, "é", {});
    QTest::keyClick(s.txtWinScore, Qt::Key_Backspace);
    QApplication::clipboard()->setText("4 5");
    s.txtWinScore->paste();
    QApplication::clipboard()->setText("67");
    QTest::keyClick(s.txtWinScore, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(s.txtWinScore->text() + " " + QString::number(rig.fakes.program.beeps), "12367 9");
    QTest::mouseClick(s.chkWinScore, Qt::LeftButton);
    EXPECT_FALSE(s.txtWinScore->isEnabled());
    QTest::mouseClick(s.chkWinScore, Qt::LeftButton);
    EXPECT_TRUE(s.txtWinScore->isEnabled() && s.txtWinScore->hasFocus());
    s.txtWave->setText(QString(PATH_MAX - 1, u'w'));
    QTest::keyClicks(s.txtWave, "xy");
    EXPECT_EQ(s.txtWave->text().size() * 10 + rig.fakes.program.beeps, PATH_MAX * 10 + 10);
    const QString pictures = "d.gif e.jpg f.bmp g.wmf h.dib";
    for (const auto &[browse, files] : {std::pair{s.cmdMusic, QString("a.mid b.rmi")},
                                        {s.cmdSound, QString("c.wav")},
                                        {rig.forms->colors().cmdBGBrowse, pictures},
                                        {rig.forms->colors().cmdSBGBrowse, pictures}}) {
        QTimer::singleShot(0, [&] { // the files in the folder that the dialog's filter lets through
            const QStringList filter =
                QApplication::activeModalWidget()->findChild<QFileSystemModel *>()->nameFilters();
            EXPECT_EQ(QDir(dir.path()).entryList(filter, QDir::Files).join(' '), files) << browse->accessibleName();
            QApplication::activeModalWidget()->close();
        });
        browse->click();
    }
    EXPECT_EQ(rig.fakes.fileDialogs.folders, QStringList(4, "/opt/plinkard/")); // each starts in the program's folder
    const QString wave = s.txtWave->text();
    w.cmdExit->click(); // with the settings window loaded, Exit stores what its boxes hold
    EXPECT_EQ(rig.fakes.store.values.value("Brindlecot/Plinkard/MIDI") + "|" +
                  rig.fakes.store.values.value("Brindlecot/Plinkard/WAVE"),
              path + "|" + wave);
}

// Catches a choice landing on another part or on none, a second visit starting from the defaults (once, it undid the
// first), or the look that Colours' Okay applied kept after Cancel, or dropped after Okay, in the Settings window that
// opened Colours; a colour preview that does not tell a screen reader its part and its colour.
TEST(ColorsWindow, EachChoiceLandsOnItsOwnPartUntilSettingsCancelsIt) {
    GameRig rig;
    frmPlinkard &w = rig.start();
    QTemporaryDir dir;
    QImage image(100, 40, QImage::Format_RGB32);
    image.fill(Qt::green);
    ASSERT_TRUE(image.save(dir.filePath("g.bmp")) && (image.fill(Qt::magenta), image.save(dir.filePath("m.bmp"))));
    // The field's picture and colour and the panel's (from y 249) picture and colour on the screen; its text colour.
    const auto seen = [&] {
        const QImage shot = w.grab().toImage();
        return QList<QColor>{shot.pixelColor(20, 20), shot.pixelColor(150, 20), shot.pixelColor(90, 264),
                             shot.pixelColor(120, 279), w.lblScore->palette().color(QPalette::WindowText)};
    };
    rig.fakes.colorDialogs.answers = {0x332211U, 0x665544U, 0x998877U};
    rig.fakes.fileDialogs.answers = {dir.filePath("g.bmp"), dir.filePath("m.bmp")};
    frmColors &c = rig.forms->colors();
    for (QPushButton *b : {c.cmdBGColor, c.cmdSBGColor, c.cmdForeColor, c.cmdBGBrowse, c.cmdSBGBrowse}) {
        b->click();
    }
    for (const auto &[preview, said] : {std::pair{c.picBGColor, "The field's colour: red 17, green 34, blue 51"},
                                        {c.picSBGColor, "The panel's colour: red 68, green 85, blue 102"},
                                        {c.picSFore, "The panel's text colour: red 119, green 136, blue 153"}}) {
        const QAccessibleInterface *reader = QAccessible::queryAccessibleInterface(preview);
        EXPECT_EQ(reader->text(QAccessible::Name) + ": " + reader->text(QAccessible::Description), said);
    }
    QTest::mouseClick(c.cmdOk, Qt::LeftButton);
    QList<QColor> look{Qt::green, fromBgr(0x332211U), Qt::magenta, fromBgr(0x665544U), fromBgr(0x998877U)}, changed;
    EXPECT_EQ(seen(), look);
    for (const uint32_t panel : {0x000001U, 0x000002U}) { // the next visits, from Settings, start from what is in force
        rig.fakes.colorDialogs.answers = {panel};
        QTimer::singleShot(0, [&] {
            rig.forms->colors().cmdSBGColor->click();
            QTest::mouseClick(rig.forms->colors().cmdOk, Qt::LeftButton);
            changed = seen();
            QTest::mouseClick(panel == 1 ? rig.forms->settings().cmdNo : rig.forms->settings().cmdOk, Qt::LeftButton);
        });
        w.cmdSettings->click();
        EXPECT_EQ(seen(), panel == 1 ? look : changed) << "after Settings' " << (panel == 1 ? "Cancel" : "Okay");
        look[3] = fromBgr(panel);
        EXPECT_EQ(changed, look);
    }
}
