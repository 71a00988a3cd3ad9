#include "SettingsRig.h"
#include "platform/QtFiles.h"
#include "settings/KeyFilter.h"
#include "sound/modPlinkard.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace StoredSettings;

namespace {
// Runs `inside` while `open` shows the window modally, as the player would see it.
void whileOpen(const std::function<void()> &open, const std::function<void()> &inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        inside();
    });
    open();
    EXPECT_TRUE(ran);
}

// What the window shows: music, shot, winning score, then 0/1 for No Winning Score, box enabled, speed, points.
QStringList shown(frmSettings &s) {
    return {s.txtMidi->text(), s.txtWave->text(), s.txtWinScore->text(),
            QStringLiteral("%1%2%3%4")
                .arg(int{s.chkWinScore->isChecked()})
                .arg(int{s.txtWinScore->isEnabled()})
                .arg(int{s.chkChgSpd->isChecked()})
                .arg(int{s.chkPoints->isChecked()})};
}

// The music calls of closing a window that stopped the music: stop again, then start `file`.
QStringList restarted(const QString &file) {
    return {"close mymid", "close mymid", "open " + file + " mymid", "play mymid"};
}

void storeAll(MemoryStore &store, const std::vector<std::pair<QString, QString>> &values) {
    for (const auto &[key, value] : values) {
        store.set(key, value);
    }
}
} // namespace

// The window as laid out: title, size, captions, places and the load-time values.
TEST_F(SettingsRig, WindowIsLaidOut) {
    start();
    frmSettings &s = settings();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(s.size(), QSize(px(4860), px(2400)));
    EXPECT_EQ(s.minimumSize(), s.maximumSize());
    const std::vector<std::tuple<QWidget *, QWidget *, QString, QRect>> expected{
        {s.Frame1, &s, "", pxRect(45, -15, 4785, 2025)},
        {s.fraSounds, s.Frame1, "Sounds", pxRect(90, 135, 4605, 1095)},
        {s.Label[5], s.fraSounds, "&Music:", pxRect(150, 315, 465, 195)},
        {s.txtMidi, s.fraSounds, Folder + "snot.mid", pxRect(660, 270, 2940, 285)},
        {s.cmdMusic, s.fraSounds, "&Browse", pxRect(3690, 240, 750, 330)},
        {s.Label[4], s.fraSounds, "&Shoot:", pxRect(135, 720, 465, 195)},
        {s.txtWave, s.fraSounds, Folder + "mchgun.wav", pxRect(660, 675, 2940, 285)},
        {s.cmdSound, s.fraSounds, "Bro&wse", pxRect(3690, 645, 750, 330)},
        {s.chkChgSpd, s.Frame1, "Certain &icons change speed", pxRect(90, 1350, 2355, 270)},
        {s.chkPoints, s.Frame1, "&All icons are worth the same", pxRect(90, 1635, 2310, 270)},
        {s.Frame2, s.Frame1, "", pxRect(2505, 1200, 2205, 750)},
        {s.chkWinScore, s.Frame2, "No Winning &Score ", pxRect(90, 135, 1650, 270)},
        {s.Label1, s.Frame2, "Winning Sco&re:", pxRect(75, 450, 1095, 195)},
        {s.txtWinScore, s.Frame2, "100000000", pxRect(1200, 405, 930, 285)},
        {s.cmdColors, &s, "C&olors", pxRect(45, 2055, 795, 330)},
        {s.cmdOk, &s, "&Okay", pxRect(3150, 2055, 795, 330)},
        {s.cmdNo, &s, "&Cancel", pxRect(4020, 2055, 795, 330)},
    };
    for (const auto &[control, container, caption, at] : expected) {
        const char *property = qobject_cast<QGroupBox *>(control) ? "title" : "text";
        EXPECT_EQ(control->property(property).toString(), caption) << caption.toStdString();
        EXPECT_EQ(control->geometry(), at) << caption.toStdString();
        EXPECT_EQ(control->parentWidget(), container) << caption.toStdString();
    }
    EXPECT_EQ(s.Label[5]->buddy(), s.txtMidi);
    EXPECT_EQ(s.Label[4]->buddy(), s.txtWave);
    EXPECT_EQ(s.Label1->buddy(), s.txtWinScore);
    EXPECT_EQ(s.txtWinScore->property("Tag").toString(), QStringLiteral("N"));
    // Neither button is the default: Enter closes nothing.
    for (QPushButton *b : {s.cmdOk, s.cmdNo, s.cmdColors, s.cmdMusic, s.cmdSound}) {
        EXPECT_FALSE(b->isDefault() || b->autoDefault());
    }
    std::vector<QWidget *> order; // the tab order, control by control
    QWidget *c = s.txtMidi;
    do {
        if (c->focusPolicy() & Qt::TabFocus) {
            order.push_back(c);
        }
    } while ((c = c->nextInFocusChain()) != s.txtMidi);
    EXPECT_EQ(order, (std::vector<QWidget *>{s.txtMidi, s.cmdMusic, s.txtWave, s.cmdSound, s.chkChgSpd, s.chkPoints,
                                             s.chkWinScore, s.txtWinScore, s.cmdColors, s.cmdOk, s.cmdNo}));
}

// In the game's font every caption fits its control, and the default winning score its box.
TEST_F(SettingsRig, NoCaptionIsCutOff) {
    start();
    frmSettings &s = settings();
    EXPECT_EQ(clippedCaptions(&s).join(", ").toStdString(), "");
    EXPECT_EQ(s.font().family(), QStringLiteral("Liberation Sans"));
    EXPECT_LE(QFontMetrics(s.txtWinScore->font()).horizontalAdvance("100000000") + 6, s.txtWinScore->width());
}

// With nothing stored: default files, winning score and checks, music and sounds on; nothing written yet.
TEST_F(SettingsRig, EmptyStoreGivesTheDefaults) {
    frmPlinkard &w = start();
    EXPECT_EQ(shown(settings()), QStringList({Folder + "snot.mid", Folder + "mchgun.wav", "100000000", "0111"}));
    EXPECT_TRUE(w.chkMusic->isChecked() && w.chkSounds->isChecked());
    EXPECT_TRUE(store().writes.isEmpty());
}

// Every stored value comes into its control, and Okay writes it back unchanged, in the saving order.
TEST_F(SettingsRig, StoredValuesFillTheWindowAndOkayWritesThemInOrder) {
    addFile("/music/Theme Song.MID");
    addFile("/sfx/Bang.WAV");
    storeAll(store(), {{Midi, "/music/Theme Song.MID"},
                       {Wave, "/sfx/Bang.WAV"},
                       {WinningScore, "777"},
                       {WinScore, "1"},
                       {ChangeSpeed, "0"},
                       {ExtraPoints, "0"}});
    start();
    EXPECT_EQ(shown(settings()), QStringList({"/music/Theme Song.MID", "/sfx/Bang.WAV", "777", "1000"}));
    forgetStartUp();
    settings().cmdOk_Click();
    EXPECT_EQ(store().writes, QStringList({"MIDI=/music/Theme Song.MID", "WAVE=/sfx/Bang.WAV", "Change Speed=0",
                                           "Winning Score=777", "Win Score=1", "Extra Points=0"}));
    // One save: a crash keeps all six or none.
    EXPECT_EQ(store().batches, QList<QStringList>{store().writes});
}

// Garbage check values (blanks tolerated) and winning scores give the defaults; an empty score stays empty.
TEST_F(SettingsRig, GarbageStoredValuesGiveTheDefaults) {
    storeAll(store(), {{WinScore, "yes"}, {ChangeSpeed, "2"}, {ExtraPoints, "-1"}, {WinningScore, "12ab"}});
    start();
    EXPECT_EQ(shown(settings()).mid(2), QStringList({"100000000", "0111"}));
    storeAll(store(), {{WinScore, " 1 "}, {ChangeSpeed, "0\n"}, {WinningScore, ""}});
    settings().cmdNo_Click();
    EXPECT_EQ(shown(settings()).mid(2), QStringList({"", "1001"}));
    // Mended: what the key filter lets through above 126, or a tab, is not a winning score either.
    for (const char *stored : {"12é", "1\t2", "１２"}) {
        store().set(WinningScore, QString::fromUtf8(stored));
        settings().cmdNo_Click();
        EXPECT_EQ(settings().txtWinScore->text(), "100000000") << stored;
    }

    EXPECT_EQ(checkValue("0", 1), 0);
    EXPECT_EQ(checkValue("1", 0), 1);
    for (const char *garbage : {"", "01", "1.0", "true", "-0", "0x1", "１"}) {
        EXPECT_EQ(checkValue(QString::fromUtf8(garbage), 7), 7) << garbage;
    }
}

// Okay stores canonical paths with their case kept, empty for a missing file; the boxes show what was stored.
TEST_F(SettingsRig, OkayStoresCanonicalPathsWithTheirCase) {
    addFile("/Music/My Theme.MID");
    start();
    frmSettings &s = settings();
    s.txtMidi->setText("/Music/My Theme.MID");
    s.txtWave->setText("/Sounds/Gone.WAV");
    QPointer<QLineEdit> midi = s.txtMidi;
    QPointer<QLineEdit> wave = s.txtWave;
    s.cmdOk_Click();
    EXPECT_EQ(store().value(Midi), "/Music/My Theme.MID");
    EXPECT_TRUE(store().has(Wave));
    EXPECT_EQ(store().value(Wave), "");
    ASSERT_TRUE(midi && wave);
    EXPECT_EQ(midi->text(), "/Music/My Theme.MID");
    EXPECT_EQ(wave->text(), "");
}

// The real short form: ".." and links resolved, the case of every letter kept, empty when missing.
TEST(SettingsPaths, CanonicalPathOfARealFileKeepsItsCase) {
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("Music/Long Folder Name"));
    const QString file = dir.path() + "/Music/Long Folder Name/Theme.MID";
    QFile music(file);
    ASSERT_TRUE(music.open(QIODevice::WriteOnly));
    music.close();
    ASSERT_TRUE(QFile::link(dir.path() + "/Music", dir.path() + "/Link"));
    FakeSound sound;
    QtFiles files;
    modPlinkard mod(sound, files);
    const QString canonical = QFileInfo(file).canonicalFilePath();
    EXPECT_TRUE(canonical.endsWith("/Music/Long Folder Name/Theme.MID"));
    EXPECT_EQ(mod.ShortPath(dir.path() + "/Link/Long Folder Name/../Long Folder Name/Theme.MID"), canonical);
    EXPECT_EQ(mod.ShortPath(dir.path() + "/Music/Long Folder Name/theme.mid"), "");
}

// Reading a control of the unloaded window creates it hidden and filled from the store, after Okay or Cancel anew.
TEST_F(SettingsRig, ReadingAControlCreatesTheWindowHiddenAndFilled) {
    storeAll(store(), {{MidiOnOff, "0"}, {Wave, "/sfx/first.wav"}});
    start();
    EXPECT_FALSE(settingsLoaded());
    EXPECT_EQ(settings().txtWave->text(), "/sfx/first.wav");
    EXPECT_TRUE(settingsLoaded());
    EXPECT_FALSE(settings().isVisible());

    settings().txtWave->setText("/typed/but/not/saved.wav");
    store().set(Wave, "/sfx/second.wav");
    EXPECT_EQ(settings().txtWave->text(), "/typed/but/not/saved.wav");
    settings().cmdNo_Click();
    EXPECT_FALSE(settingsLoaded());
    EXPECT_EQ(settings().txtWave->text(), "/sfx/second.wav");

    addFile("/sfx/third.wav");
    settings().txtWave->setText("/sfx/third.wav");
    settings().cmdOk_Click();
    EXPECT_FALSE(settingsLoaded());
    store().set(Wave, "/sfx/fourth.wav");
    EXPECT_EQ(settings().txtWave->text(), "/sfx/fourth.wav");
}

// Settings stops the music, halts the timers and opens modally; Okay saves and resumes the level with the music.
TEST_F(SettingsRig, SettingsButtonHaltsAndOkaySavesAndResumes) {
    frmPlinkard &w = start();
    w.optLevel[2]->setChecked(true);
    forgetStartUp();
    whileOpen([&] { w.cmdSettings->click(); },
              [&] {
                  frmSettings &s = settings();
                  EXPECT_TRUE(s.isVisible() && s.isModal());
                  EXPECT_EQ(s.parentWidget(), &w);
                  EXPECT_EQ(sixTimers(w), AllHalted);
                  EXPECT_EQ(sound().calls, QStringList{"close mymid"});
                  s.txtWinScore->setText("5000");
                  s.chkChgSpd->setChecked(false);
                  s.chkWinScore->setChecked(true);
                  s.cmdOk->click();
              });
    EXPECT_FALSE(settingsLoaded());
    EXPECT_EQ(store().writes, QStringList({"MIDI=" + Folder + "snot.mid", "WAVE=" + Folder + "mchgun.wav",
                                           "Change Speed=0", "Winning Score=5000", "Win Score=1", "Extra Points=1"}));
    EXPECT_EQ(sound().calls, restarted(Folder + "snot.mid"));
    EXPECT_EQ(sixTimers(w), playingAt(2));
    EXPECT_EQ(shown(settings()).mid(2), QStringList({"5000", "1001"}));
}

// Cancel writes nothing, puts the stored values back and restarts the stored music.
TEST_F(SettingsRig, CancelWritesNothingAndRestores) {
    storeAll(store(), {{Midi, "/stored.mid"}, {WinScore, "1"}});
    frmPlinkard &w = start();
    w.optLevel[0]->setChecked(true);
    forgetStartUp();
    whileOpen([&] { w.cmdSettings_Click(); },
              [&] {
                  frmSettings &s = settings();
                  s.txtMidi->setText("/edited.mid");
                  s.txtWinScore->setText("1");
                  s.chkWinScore->setChecked(false);
                  s.chkPoints->setChecked(false);
                  s.cmdNo->click();
              });
    EXPECT_TRUE(store().writes.isEmpty());
    EXPECT_EQ(sound().calls, restarted("/stored.mid"));
    EXPECT_EQ(sixTimers(w), playingAt(0));
    EXPECT_EQ(shown(settings()), QStringList({"/stored.mid", Folder + "mchgun.wav", "100000000", "1011"}));
}

// The close box stores nothing but restarts the music the box shows; the next read has the stored values back.
TEST_F(SettingsRig, CloseBoxResumesWithTheShownMusicAndStoresNothing) {
    frmPlinkard &w = start();
    w.optLevel[3]->setChecked(true);
    w.tmrWinScore->setEnabled(false);
    forgetStartUp();
    whileOpen([&] { w.cmdSettings_Click(); },
              [&] {
                  settings().txtMidi->setText("/shown/in/box.mid");
                  settings().txtWinScore->setText("42");
                  settings().close();
              });
    EXPECT_TRUE(store().writes.isEmpty());
    EXPECT_EQ(sound().calls, restarted("/shown/in/box.mid"));
    // Re-armed even though the winning-score check was off before.
    EXPECT_EQ(sixTimers(w), playingAt(3));
    EXPECT_EQ(shown(settings()).mid(0, 3), QStringList({Folder + "snot.mid", Folder + "mchgun.wav", "100000000"}));
}

// With the music off the window leaves it off; Escape does not close it, so play stays halted until it closes.
TEST_F(SettingsRig, MusicOffStaysOffAndEscapeDoesNotClose) {
    store().set(MidiOnOff, "0");
    frmPlinkard &w = start();
    forgetStartUp();
    whileOpen([&] { w.cmdSettings_Click(); },
              [&] {
                  QTest::keyClick(&settings(), Qt::Key_Escape);
                  EXPECT_TRUE(settings().isVisible());
                  EXPECT_EQ(sixTimers(w), AllHalted);
                  settings().cmdNo->click();
              });
    EXPECT_TRUE(sound().calls.isEmpty());
    EXPECT_EQ(sixTimers(w), playingAt(1));
}

// Closing the main window saves its four settings in one batch, in order, loading the settings window if needed.
TEST_F(SettingsRig, MainWindowCloseSavesFourSettingsInOrder) {
    storeAll(store(), {{MidiOnOff, "0"}, {Wave, "/sfx/stored.wav"}});
    frmPlinkard &w = start();
    w.chkSounds->setChecked(false);
    forgetStartUp();
    ASSERT_FALSE(settingsLoaded());
    w.close();
    EXPECT_EQ(store().writes,
              QStringList({"MIDI=" + Folder + "snot.mid", "WAVE=/sfx/stored.wav", "MIDI ON-OFF=0", "WAVE ON-OFF=0"}));
    EXPECT_EQ(store().batches, QList<QStringList>{store().writes});
    EXPECT_FALSE(settingsLoaded());
}

// Switching the music off in play is what the next start finds.
TEST_F(SettingsRig, MusicSwitchedOffIsStoredOnClose) {
    frmPlinkard &w = start();
    w.chkMusic->setChecked(false);
    settings().txtMidi->setText("/live/copy.mid");
    forgetStartUp();
    w.cmdExit->click();
    EXPECT_EQ(store().writes,
              QStringList({"MIDI=/live/copy.mid", "WAVE=" + Folder + "mchgun.wav", "MIDI ON-OFF=0", "WAVE ON-OFF=1"}));
}

// Start-up reads the switches before starting the stored music: "0" means off, any other value leaves them on.
TEST(SettingsStartUp, SwitchesAreReadBeforeTheMusicStarts) {
    for (const char *value : {"0", "2", "yes", "", "-1"}) {
        GameRig rig;
        storeAll(rig.fakes.store, {{MidiOnOff, value}, {WaveOnOff, value}, {Midi, "/Music/Stored.MID"}});
        frmPlinkard &w = rig.start();
        const bool on = qstrcmp(value, "0") != 0;
        const QStringList &calls = rig.fakes.sound.calls;
        EXPECT_EQ(w.chkMusic->isChecked(), on) << value;
        EXPECT_EQ(w.chkSounds->isChecked(), on) << value;
        EXPECT_EQ(calls.join(' ').contains("open"), on) << value;
        EXPECT_EQ(calls.join(' ').contains("play"), on) << value;
        if (on) {
            EXPECT_TRUE(calls.contains("open /Music/Stored.MID mymid") && calls.constLast() == "play mymid") << value;
        } else {
            EXPECT_FALSE(rig.forms->isSettingsLoaded());
        }
    }
}

// The key rule: a box tagged "N" refuses printable non-digits; control codes and codes above 126 always pass.
TEST(KeyFilter, OnlyDigitsAmongPrintableCharacters) {
    for (int code = 0; code < 400; ++code) {
        const bool printable = code >= 32 && code <= 126;
        const bool digit = code >= '0' && code <= '9';
        EXPECT_EQ(keyPasses(code, "N"), !printable || digit) << code;
        EXPECT_TRUE(keyPasses(code, "") && keyPasses(code, "n")) << code;
    }
    EXPECT_TRUE(textPasses("0123456789", "N") && textPasses("", "N") && textPasses("12 3", ""));
    EXPECT_FALSE(textPasses("12 3", "N"));
}

// Typing into the winning-score box: non-digits beep and enter nothing; digits, Backspace, codes above 126 go in.
TEST_F(SettingsRig, WinningScoreBoxRefusesWhatIsNotADigit) {
    start();
    frmSettings &s = settings();
    for (const int typed : {int{'a'}, int{'0'}, int{'9'}, 8, 13, 200}) {
        int code = typed;
        s.txtWinScore_KeyPress(code);
        EXPECT_EQ(code, typed == 'a' ? 0 : typed);
        EXPECT_EQ(rig.fakes.program.beeps, 1) << typed;
    }
    s.txtWinScore->setText("");
    QTest::keyClicks(s.txtWinScore, "1a 2+-.3");
    EXPECT_EQ(s.txtWinScore->text(), "123");
    EXPECT_EQ(rig.fakes.program.beeps, 6);
    QTest::keyClick(s.txtWinScore, Qt::Key_Backspace);
    EXPECT_EQ(s.txtWinScore->text(), "12");
    QTest::sendKeyEvent(QTest::Press, s.txtWinScore, Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, s.txtWinScore, Qt::Key_Eacute, QStringLiteral("é"), Qt::NoModifier);
    EXPECT_EQ(s.txtWinScore->text(), QStringLiteral("12é"));
    QTest::keyClick(s.txtWinScore, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(s.txtWinScore->selectedText(), QStringLiteral("12é"));
    EXPECT_EQ(rig.fakes.program.beeps, 6);
}

// Pasting brings in only what typing could: digits go in, anything else is refused whole with a beep.
TEST_F(SettingsRig, PastingIntoTheWinningScoreBoxFollowsTheKeyRule) {
    start();
    QLineEdit *box = settings().txtWinScore;
    box->setText("10");
    const std::vector<std::tuple<QString, bool, QString, int>> cases{
        {"12 345", false, "10", 1}, {"-5", true, "10", 2}, {"345", false, "10345", 2}};
    for (const auto &[clip, byKey, text, beeps] : cases) {
        QApplication::clipboard()->setText(clip);
        byKey ? QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier) : box->paste();
        EXPECT_EQ(box->text(), text) << clip.toStdString();
        EXPECT_EQ(rig.fakes.program.beeps, beeps) << clip.toStdString();
    }
}

// "No Winning Score" checked disables the box; cleared, it enables the box and puts the cursor in it.
TEST_F(SettingsRig, NoWinningScoreSwitchesTheBoxAndMovesTheFocus) {
    store().set(WinScore, "1");
    start();
    frmSettings &s = settings();
    EXPECT_EQ(shown(s).at(3).left(2), "10");
    s.show();
    QApplication::setActiveWindow(&s);
    s.txtMidi->setFocus();
    QTest::mouseClick(s.chkWinScore, Qt::LeftButton);
    EXPECT_EQ(shown(s).at(3).left(2), "01");
    EXPECT_EQ(s.focusWidget(), s.txtWinScore);
    s.chkWinScore->click();
    EXPECT_FALSE(s.txtWinScore->isEnabled());
    s.hide();
}

// The two pickers: title, filter and start folder; a choice fills the box with the full path, a cancel nothing.
TEST_F(SettingsRig, FilePickersFillTheirBoxOrChangeNothing) {
    start();
    frmSettings &s = settings();
    auto &dialogs = rig.fakes.fileDialogs;
    dialogs.answers = {QString("/home/ann/Music/Other.MID"), std::nullopt, QString("/x/y.wav")};
    s.cmdMusic_Click();
    s.cmdSound_Click();
    EXPECT_EQ(shown(s).mid(0, 2), QStringList({"/home/ann/Music/Other.MID", Folder + "mchgun.wav"}));
    s.cmdSound->click();
    EXPECT_EQ(s.txtWave->text(), "/x/y.wav");
    QStringList calls;
    for (const auto &call : dialogs.calls) {
        calls << call.title + " | " + call.filter + " | " + call.startFolder;
    }
    EXPECT_EQ(calls, QStringList({"Select File | Midi Files|*.mid;*.rmi | " + Folder,
                                  "Select File | Wave Files|*.wav | " + Folder,
                                  "Select File | Wave Files|*.wav | " + Folder}));
}
