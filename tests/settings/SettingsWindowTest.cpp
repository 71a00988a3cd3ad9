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
QRect twips(int l, int t, int w, int h) { return pxRect(l, t, w, h); }

// Runs `inside` while the window is shown modally by `open`, as the player would see it.
void whileOpen(const std::function<void()> &open, const std::function<void()> &inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        ran = true;
        inside();
    });
    open();
    EXPECT_TRUE(ran);
}
} // namespace

// The window as laid out: title, size, captions, places and the load-time values.
TEST_F(SettingsRig, WindowIsLaidOutAsDesigned) {
    start();
    frmSettings &s = settings();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(s.size(), QSize(px(4860), px(2400)));
    EXPECT_EQ(s.minimumSize(), s.maximumSize());
    struct Expect {
        QWidget *control;
        QWidget *container;
        QString caption;
        QRect at;
    };
    auto caption = [](QWidget *c) {
        if (auto *l = qobject_cast<QLabel *>(c)) {
            return l->text();
        }
        if (auto *g = qobject_cast<QGroupBox *>(c)) {
            return g->title();
        }
        if (auto *e = qobject_cast<QLineEdit *>(c)) {
            return e->text().isEmpty() ? QString() : QStringLiteral("<text>");
        }
        return qobject_cast<QAbstractButton *>(c)->text();
    };
    const std::vector<Expect> expected{
        {s.Frame1, &s, "", twips(45, -15, 4785, 2025)},
        {s.fraSounds, s.Frame1, "Sounds", twips(90, 135, 4605, 1095)},
        {s.Label[5], s.fraSounds, "&Music:", twips(150, 315, 465, 195)},
        {s.txtMidi, s.fraSounds, "<text>", twips(660, 270, 2940, 285)},
        {s.cmdMusic, s.fraSounds, "&Browse", twips(3690, 240, 750, 330)},
        {s.Label[4], s.fraSounds, "&Shoot:", twips(135, 720, 465, 195)},
        {s.txtWave, s.fraSounds, "<text>", twips(660, 675, 2940, 285)},
        {s.cmdSound, s.fraSounds, "Bro&wse", twips(3690, 645, 750, 330)},
        {s.chkChgSpd, s.Frame1, "Certain &icons change speed", twips(90, 1350, 2355, 270)},
        {s.chkPoints, s.Frame1, "&All icons are worth the same", twips(90, 1635, 2310, 270)},
        {s.Frame2, s.Frame1, "", twips(2505, 1200, 2205, 750)},
        {s.chkWinScore, s.Frame2, "No Winning &Score ", twips(90, 135, 1650, 270)},
        {s.Label1, s.Frame2, "Winning Sco&re:", twips(75, 450, 1095, 195)},
        {s.txtWinScore, s.Frame2, "<text>", twips(1200, 405, 930, 285)},
        {s.cmdColors, &s, "C&olors", twips(45, 2055, 795, 330)},
        {s.cmdOk, &s, "&Okay", twips(3150, 2055, 795, 330)},
        {s.cmdNo, &s, "&Cancel", twips(4020, 2055, 795, 330)},
    };
    for (const Expect &e : expected) {
        EXPECT_EQ(caption(e.control), e.caption) << e.caption.toStdString();
        EXPECT_EQ(e.control->geometry(), e.at) << e.caption.toStdString();
        EXPECT_EQ(e.control->parentWidget(), e.container) << e.caption.toStdString();
    }
    EXPECT_EQ(s.Label[5]->buddy(), s.txtMidi);
    EXPECT_EQ(s.Label[4]->buddy(), s.txtWave);
    EXPECT_EQ(s.Label1->buddy(), s.txtWinScore);
    EXPECT_EQ(s.txtWinScore->property("Tag").toString(), QStringLiteral("N"));
    // Neither button is the default: Enter closes nothing.
    for (QPushButton *b : {s.cmdOk, s.cmdNo, s.cmdColors, s.cmdMusic, s.cmdSound}) {
        EXPECT_FALSE(b->isDefault() || b->autoDefault());
    }
    // The tab order of the design.
    std::vector<QWidget *> order;
    QWidget *c = s.txtMidi;
    do {
        if (c->focusPolicy() & Qt::TabFocus) {
            order.push_back(c);
        }
        c = c->nextInFocusChain();
    } while (c != s.txtMidi);
    EXPECT_EQ(order, (std::vector<QWidget *>{s.txtMidi, s.cmdMusic, s.txtWave, s.cmdSound, s.chkChgSpd, s.chkPoints,
                                             s.chkWinScore, s.txtWinScore, s.cmdColors, s.cmdOk, s.cmdNo}));
}

// In the game's font every caption fits its control, and the default winning score its box.
TEST_F(SettingsRig, NoCaptionIsCutOff) {
    start();
    frmSettings &s = settings();
    EXPECT_EQ(clippedCaptions(&s).join(", ").toStdString(), "");
    EXPECT_EQ(s.font().family(), QStringLiteral("Liberation Sans"));
    const QFontMetrics fm(s.txtWinScore->font());
    EXPECT_LE(fm.horizontalAdvance(QStringLiteral("100000000")) + 6, s.txtWinScore->width());
}

// With nothing stored: the default files beside the program, the default winning score,
// "No Winning Score" clear, both options on, music and sounds on; nothing written yet.
TEST_F(SettingsRig, EmptyStoreGivesTheDefaults) {
    frmPlinkard &w = start();
    frmSettings &s = settings();
    EXPECT_EQ(s.txtMidi->text(), Folder + "snot.mid");
    EXPECT_EQ(s.txtWave->text(), Folder + "mchgun.wav");
    EXPECT_EQ(s.txtWinScore->text(), QStringLiteral("100000000"));
    EXPECT_FALSE(s.chkWinScore->isChecked());
    EXPECT_TRUE(s.txtWinScore->isEnabled());
    EXPECT_TRUE(s.chkChgSpd->isChecked());
    EXPECT_TRUE(s.chkPoints->isChecked());
    EXPECT_TRUE(w.chkMusic->isChecked());
    EXPECT_TRUE(w.chkSounds->isChecked());
    EXPECT_TRUE(store().writes.isEmpty());
}

// Every stored value comes into its control, and Okay writes it back unchanged, in the saving order.
TEST_F(SettingsRig, StoredValuesFillTheWindowAndOkayWritesThemInOrder) {
    addFile("/music/Theme Song.MID");
    addFile("/sfx/Bang.WAV");
    store().set(Midi, "/music/Theme Song.MID");
    store().set(Wave, "/sfx/Bang.WAV");
    store().set(WinningScore, "777");
    store().set(WinScore, "1");
    store().set(ChangeSpeed, "0");
    store().set(ExtraPoints, "0");
    start();
    frmSettings &s = settings();
    EXPECT_EQ(s.txtMidi->text(), "/music/Theme Song.MID");
    EXPECT_EQ(s.txtWave->text(), "/sfx/Bang.WAV");
    EXPECT_EQ(s.txtWinScore->text(), "777");
    EXPECT_TRUE(s.chkWinScore->isChecked());
    EXPECT_FALSE(s.txtWinScore->isEnabled());
    EXPECT_FALSE(s.chkChgSpd->isChecked());
    EXPECT_FALSE(s.chkPoints->isChecked());
    forgetStartUp();
    s.cmdOk_Click();
    EXPECT_EQ(store().writes, QStringList({"MIDI=/music/Theme Song.MID", "WAVE=/sfx/Bang.WAV", "Change Speed=0",
                                           "Winning Score=777", "Win Score=1", "Extra Points=0"}));
    // One save: a crash keeps all six or none.
    EXPECT_EQ(store().batches, QList<QStringList>{store().writes});
}

// Stored check values other than "0" and "1", and a winning score that typing could not
// produce, give the defaults; blanks around a check value are tolerated; an empty winning score stays empty.
TEST_F(SettingsRig, GarbageStoredValuesGiveTheDefaults) {
    store().set(WinScore, "yes");
    store().set(ChangeSpeed, "2");
    store().set(ExtraPoints, "-1");
    store().set(WinningScore, "12ab");
    start();
    EXPECT_FALSE(settings().chkWinScore->isChecked());
    EXPECT_TRUE(settings().chkChgSpd->isChecked());
    EXPECT_TRUE(settings().chkPoints->isChecked());
    EXPECT_EQ(settings().txtWinScore->text(), "100000000");

    store().set(WinScore, " 1 ");
    store().set(ChangeSpeed, "0\n");
    store().set(WinningScore, "");
    settings().cmdNo_Click();
    EXPECT_TRUE(settings().chkWinScore->isChecked());
    EXPECT_FALSE(settings().chkChgSpd->isChecked());
    EXPECT_EQ(settings().txtWinScore->text(), "");

    EXPECT_EQ(checkValue("0", 1), 0);
    EXPECT_EQ(checkValue("1", 0), 1);
    for (const char *garbage : {"", "01", "1.0", "true", "-0", "0x1", "１"}) {
        EXPECT_EQ(checkValue(QString::fromUtf8(garbage), 7), 7) << garbage;
    }
}

// Okay stores the canonical path with its case kept (these file systems tell "A" from "a"),
// and an empty text for a file that does not exist; the boxes show what was stored.
TEST_F(SettingsRig, OkayStoresCanonicalPathsWithTheirCase) {
    addFile("/Music/My Theme.MID");
    start();
    settings().txtMidi->setText("/Music/My Theme.MID");
    settings().txtWave->setText("/Sounds/Gone.WAV");
    forgetStartUp();
    frmSettings &s = settings();
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

// Reading a control of the unloaded window creates it unseen, filled from the store; after
// Okay or Cancel the next read fills a new one from the store again.
TEST_F(SettingsRig, ReadingAControlCreatesTheWindowHiddenAndFilled) {
    store().set(MidiOnOff, "0");
    store().set(Wave, "/sfx/first.wav");
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

// The Settings button stops the music, halts all six timers and shows the window modally over
// the main window; Okay saves, closes and resumes play at the selected level with the saved music.
TEST_F(SettingsRig, SettingsButtonHaltsAndOkaySavesAndResumes) {
    frmPlinkard &w = start();
    w.optLevel[2]->setChecked(true);
    forgetStartUp();
    whileOpen([&] { w.cmdSettings->click(); },
              [&] {
                  frmSettings &s = settings();
                  EXPECT_TRUE(s.isVisible());
                  EXPECT_TRUE(s.isModal());
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
    EXPECT_EQ(sound().calls,
              QStringList({"close mymid", "close mymid", "open " + Folder + "snot.mid mymid", "play mymid"}));
    EXPECT_EQ(sixTimers(w), playingAt(2));
    EXPECT_EQ(settings().txtWinScore->text(), "5000");
    EXPECT_FALSE(settings().txtWinScore->isEnabled());
}

// Cancel writes nothing, puts the stored values back and restarts the stored music.
TEST_F(SettingsRig, CancelWritesNothingAndRestores) {
    store().set(Midi, "/stored.mid");
    store().set(WinScore, "1");
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
    EXPECT_EQ(sound().calls, QStringList({"close mymid", "close mymid", "open /stored.mid mymid", "play mymid"}));
    EXPECT_EQ(sixTimers(w), playingAt(0));
    EXPECT_EQ(settings().txtMidi->text(), "/stored.mid");
    EXPECT_TRUE(settings().chkWinScore->isChecked());
    EXPECT_TRUE(settings().chkPoints->isChecked());
    EXPECT_EQ(settings().txtWinScore->text(), "100000000");
}

// The close box stores nothing but restarts the music with whatever the box shows; the next
// read of the settings has the stored values back.
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
    EXPECT_EQ(sound().calls, QStringList({"close mymid", "close mymid", "open /shown/in/box.mid mymid", "play mymid"}));
    // Re-armed even though the winning-score check was off before.
    EXPECT_EQ(sixTimers(w), playingAt(3));
    EXPECT_EQ(settings().txtMidi->text(), Folder + "snot.mid");
    EXPECT_EQ(settings().txtWinScore->text(), "100000000");
}

// With the music switched off the window neither stops nor starts it; Escape does not close
// the window (it has no cancel button), so play stays halted until it really closes.
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

// Closing the main window saves its four settings in order, loading the settings window
// (with the stored or default paths) when it is not loaded.
TEST_F(SettingsRig, MainWindowCloseSavesFourSettingsInOrder) {
    store().set(MidiOnOff, "0");
    store().set(Wave, "/sfx/stored.wav");
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

// Start-up: the two switches come from the store before the music starts with the stored file;
// music off means no music and no settings window.
TEST_F(SettingsRig, StartUpReadsTheSwitchesThenStartsTheMusic) {
    store().set(MidiOnOff, "0");
    store().set(WaveOnOff, "0");
    frmPlinkard &w = start();
    EXPECT_FALSE(w.chkMusic->isChecked());
    EXPECT_FALSE(w.chkSounds->isChecked());
    EXPECT_FALSE(settingsLoaded());
    EXPECT_FALSE(sound().calls.join(' ').contains("open"));
    EXPECT_FALSE(sound().calls.join(' ').contains("play"));
}

TEST(SettingsStartUp, OnOffValuesOtherThanZeroOrOneLeaveTheBoxesChecked) {
    // Garbage in the two switches leaves them on, and the music starts with the stored file.
    for (const char *garbage : {"2", "yes", "", "-1"}) {
        GameRig rig;
        rig.fakes.store.set(MidiOnOff, QString::fromLatin1(garbage));
        rig.fakes.store.set(WaveOnOff, QString::fromLatin1(garbage));
        rig.fakes.store.set(Midi, "/Music/Stored.MID");
        frmPlinkard &w = rig.start();
        EXPECT_TRUE(w.chkMusic->isChecked()) << garbage;
        EXPECT_TRUE(w.chkSounds->isChecked()) << garbage;
        EXPECT_TRUE(rig.fakes.sound.calls.contains("open /Music/Stored.MID mymid")) << garbage;
        EXPECT_EQ(rig.fakes.sound.calls.constLast(), "play mymid");
    }
}

// The key rule: in a box tagged "N" printable characters other than digits are refused;
// control codes (Backspace) and codes above 126 always pass; other boxes take everything.
TEST(KeyFilter, OnlyDigitsAmongPrintableCharacters) {
    for (int code = 0; code < 400; ++code) {
        const bool printable = code >= 32 && code <= 126;
        const bool digit = code >= '0' && code <= '9';
        EXPECT_EQ(keyPasses(code, "N"), !printable || digit) << code;
        EXPECT_TRUE(keyPasses(code, "")) << code;
        EXPECT_TRUE(keyPasses(code, "n")) << code;
    }
    EXPECT_TRUE(textPasses("0123456789", "N"));
    EXPECT_TRUE(textPasses("", "N"));
    EXPECT_FALSE(textPasses("12 3", "N"));
    EXPECT_TRUE(textPasses("12 3", ""));
}

// Typing into the winning-score box: letters, blanks and signs beep and enter nothing; digits,
// Backspace and characters above 126 go in; shortcuts are not characters.
TEST_F(SettingsRig, WinningScoreBoxRefusesWhatIsNotADigit) {
    start();
    frmSettings &s = settings();
    int code = 'a';
    s.txtWinScore_KeyPress(code);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(rig.fakes.program.beeps, 1);
    for (const int passing : {int{'0'}, int{'9'}, 8, 13, 200}) {
        code = passing;
        s.txtWinScore_KeyPress(code);
        EXPECT_EQ(code, passing);
    }
    EXPECT_EQ(rig.fakes.program.beeps, 1);

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
    QApplication::clipboard()->setText("12 345");
    box->paste();
    EXPECT_EQ(box->text(), "10");
    EXPECT_EQ(rig.fakes.program.beeps, 1);
    QApplication::clipboard()->setText("-5");
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(box->text(), "10");
    EXPECT_EQ(rig.fakes.program.beeps, 2);
    QApplication::clipboard()->setText("345");
    box->paste();
    EXPECT_EQ(box->text(), "10345");
    EXPECT_EQ(rig.fakes.program.beeps, 2);
}

// "No Winning Score" checked disables the box; cleared, it enables the box and puts the cursor in it.
TEST_F(SettingsRig, NoWinningScoreSwitchesTheBoxAndMovesTheFocus) {
    store().set(WinScore, "1");
    start();
    frmSettings &s = settings();
    EXPECT_TRUE(s.chkWinScore->isChecked());
    EXPECT_FALSE(s.txtWinScore->isEnabled());
    s.show();
    QApplication::setActiveWindow(&s);
    s.txtMidi->setFocus();
    QTest::mouseClick(s.chkWinScore, Qt::LeftButton);
    EXPECT_FALSE(s.chkWinScore->isChecked());
    EXPECT_TRUE(s.txtWinScore->isEnabled());
    EXPECT_EQ(s.focusWidget(), s.txtWinScore);
    s.chkWinScore->click();
    EXPECT_FALSE(s.txtWinScore->isEnabled());
    s.hide();
}

// The two pickers: title, filters and start folder of the design; a choice fills the box with
// the full path, a cancel changes nothing.
TEST_F(SettingsRig, FilePickersFillTheirBoxOrChangeNothing) {
    start();
    frmSettings &s = settings();
    auto &dialogs = rig.fakes.fileDialogs;
    dialogs.answers = {QString("/home/ann/Music/Other.MID"), std::nullopt};
    s.cmdMusic_Click();
    s.cmdSound_Click();
    EXPECT_EQ(s.txtMidi->text(), "/home/ann/Music/Other.MID");
    EXPECT_EQ(s.txtWave->text(), Folder + "mchgun.wav");
    ASSERT_EQ(dialogs.calls.size(), 2U);
    EXPECT_EQ(dialogs.calls[0].title, "Select File");
    EXPECT_EQ(dialogs.calls[0].filter, "Midi Files|*.mid;*.rmi");
    EXPECT_EQ(dialogs.calls[0].startFolder, Folder);
    EXPECT_EQ(dialogs.calls[1].title, "Select File");
    EXPECT_EQ(dialogs.calls[1].filter, "Wave Files|*.wav");
    EXPECT_EQ(dialogs.calls[1].startFolder, Folder);
    // The buttons reach the same handlers.
    dialogs.answers = {QString("/x/y.wav")};
    s.cmdSound->click();
    EXPECT_EQ(s.txtWave->text(), "/x/y.wav");
    EXPECT_EQ(dialogs.calls.size(), 3U);
}
