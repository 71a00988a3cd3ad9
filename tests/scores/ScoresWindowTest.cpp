#include "fakes/GameRig.h"
#include "platform/ImageControl.h"
#include "platform/QtFiles.h"
#include "platform/Timer.h"
#include "platform/Twips.h"
#include "scores/frmName.h"
#include "scores/frmScores.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {
// Flags of tmrVeryEasy, tmrEasy, tmrHard, tmrVeryHard, tmrTime, tmrWinScore.
std::vector<bool> timerFlags(const frmPlinkard &w) {
    return {w.tmrVeryEasy->isEnabled(), w.tmrEasy->isEnabled(), w.tmrHard->isEnabled(),
            w.tmrVeryHard->isEnabled(), w.tmrTime->isEnabled(), w.tmrWinScore->isEnabled()};
}

std::vector<bool> playingAt(int level) {
    std::vector<bool> flags{false, false, false, false, true, true};
    flags.at(static_cast<size_t>(level)) = true;
    return flags;
}

const std::vector<bool> Halted(6, false);

// Clicks High Scores; `whileOpen` runs inside the modal loop and must close the table.
void openTable(Forms &forms, frmPlinkard &w, const std::function<void(frmScores &)> &whileOpen) {
    QTimer::singleShot(0, [&] { whileOpen(forms.scores()); });
    w.cmdHigh_Click();
}
} // namespace

class ScoresWindow : public ::testing::Test {
protected:
    void SetUp() override { w = &rig.start(); }
    GameRig rig;
    frmPlinkard *w = nullptr;
};

// Opening halts all six timers and the music; closing resumes the selected level, the clock and the check.
TEST_F(ScoresWindow, OpeningHaltsAndClosingResumesAtEachLevel) {
    for (int level = 0; level < 4; ++level) {
        w->optLevel.at(static_cast<size_t>(level))->setChecked(true);
        ASSERT_EQ(timerFlags(*w), playingAt(level));
        rig.fakes.sound.calls.clear();
        bool halted = false;
        openTable(*rig.forms, *w, [&](frmScores &table) {
            halted = timerFlags(*w) == Halted && table.isVisible() && table.isModal() && table.parentWidget() == w &&
                     rig.fakes.sound.calls == QStringList({"close mymid"});
            table.cmdClose->click();
        });
        EXPECT_TRUE(halted) << level;
        EXPECT_EQ(timerFlags(*w), playingAt(level)) << level;
        EXPECT_EQ(rig.fakes.sound.calls,
                  QStringList({"close mymid", "close mymid", "open /opt/plinkard/snot.mid mymid", "play mymid"}));
        EXPECT_FALSE(rig.forms->isScoresLoaded());
    }
}

// With the music off neither opening nor closing touches it; play resumes even if halted before.
TEST_F(ScoresWindow, MusicOffAndPlayHaltedBefore) {
    w->chkMusic->setChecked(false);
    w->optLevel[3]->setChecked(true);
    for (Timer *t : {w->tmrTime, w->tmrWinScore, w->tmrVeryHard}) {
        t->setEnabled(false);
    }
    rig.fakes.sound.calls.clear();
    openTable(*rig.forms, *w, [](frmScores &table) { table.close(); });
    EXPECT_TRUE(rig.fakes.sound.calls.isEmpty());
    EXPECT_EQ(timerFlags(*w), playingAt(3));
}

// The table shows the file's places; "&Reset" changes nothing; entries vanish when the window closes.
TEST_F(ScoresWindow, ShowsTheFileAgainOnEveryOpening) {
    w->lblScore->setText("50000");
    QStringList first, afterEntry, afterReset, reopened;
    auto names = [](frmScores &t) {
        QStringList out;
        for (int i = 0; i < 10; ++i) {
            out << t.lblScore.at(static_cast<size_t>(i))->text() + u'|' + t.lblName.at(static_cast<size_t>(i))->text();
        }
        return out;
    };
    openTable(*rig.forms, *w, [&](frmScores &table) {
        first = names(table);
        table.Command1->click();
        afterEntry = names(table);
        table.cmdClear->click();
        afterReset = names(table);
        table.cmdClose->click();
    });
    EXPECT_EQ(first.front(), "10000|Player 1");
    EXPECT_EQ(first.back(), "1000|Player 10");
    EXPECT_EQ(afterEntry.front(), "50000| (0:0:0)");
    EXPECT_EQ(afterReset, afterEntry);
    EXPECT_EQ(w->lblScore->text(), "50000");

    openTable(*rig.forms, *w, [&](frmScores &table) {
        reopened = names(table);
        table.close();
    });
    EXPECT_EQ(reopened, first);
}

// A short score file shows its places and blanks for the rest; an entry can still be made.
TEST(ScoresWindowShortFile, BlanksForMissingPlaces) {
    GameRig rig;
    rig.fakes.files.files[QStringLiteral("/opt/plinkard/scores.dat")] = "a\r\nb\r\nc\r\n700\r\n600";
    frmPlinkard &w = rig.start();
    w.lblScore->setText("-95");
    QStringList shown;
    openTable(*rig.forms, w, [&](frmScores &table) {
        table.Command1_Click();
        for (const QLabel *l : table.lblScore) {
            shown << l->text();
        }
        table.close();
    });
    EXPECT_EQ(shown, QStringList({"700", "600", "-95", "", "", "", "", "", "", ""}));
}

// Place 1 in red, the others in the ordinary colour; every control where it was laid out.
TEST_F(ScoresWindow, Layout) {
    frmScores &t = rig.forms->scores();
    t.fill(rig.mod.ScoreLines);
    EXPECT_EQ(t.windowTitle(), "High Scores");
    EXPECT_EQ(t.size(), QSize(310, 295));
    EXPECT_EQ(t.minimumSize(), t.maximumSize());
    frmName &n = rig.forms->name();
    const std::vector<std::tuple<QWidget *, QString, QRect>> placed{
        {t.highscores, "", pxRect(15, -60, 4620, 4080)},        {t.Label1, "High Scores", pxRect(1335, 195, 1995, 435)},
        {t.cmdClose, "&Close", pxRect(2940, 4065, 795, 345)},   {t.cmdClear, "&Reset", pxRect(3810, 4065, 795, 345)},
        {t.Command1, "Command1", pxRect(945, 4140, 1110, 300)}, {n.txtName, "", pxRect(75, 555, 3135, 300)},
        {n.cmdOkay, "Okay", pxRect(1230, 885, 855, 345)}};
    for (const auto &[control, caption, at] : placed) {
        EXPECT_EQ(control->property("text").toString(), caption) << caption.toStdString();
        EXPECT_EQ(control->geometry(), at) << caption.toStdString();
    }
    EXPECT_EQ(t.Label1->font().bold(), false);
    const QColor red(0xFF, 0, 0);
    for (int i = 0; i < 10; ++i) {
        const QLabel *s = t.lblScore.at(static_cast<size_t>(i));
        const QLabel *name = t.lblName.at(static_cast<size_t>(i));
        EXPECT_EQ(s->pos(), QPoint(216, qRound((705 + 330 * i) / 15.0))) << i;
        EXPECT_EQ(name->pos(), QPoint(6, s->y())) << i;
        EXPECT_EQ(s->parentWidget(), t.highscores);
        EXPECT_TRUE(s->alignment() & Qt::AlignRight);
        EXPECT_TRUE(s->font().bold() && name->font().bold());
        for (const QLabel *l : {s, name}) {
            EXPECT_EQ(l->palette().color(QPalette::WindowText) == red, i == 0) << i;
        }
        // Auto-sized: the whole text fits.
        EXPECT_GE(name->width(), name->fontMetrics().horizontalAdvance(name->text())) << i;
    }
    EXPECT_EQ(t.cmdClose->nextInFocusChain(), t.cmdClear);
    EXPECT_EQ(t.cmdClear->nextInFocusChain(), t.Command1);

    EXPECT_EQ(n.windowTitle(), "High Score!");
    EXPECT_EQ(n.size(), QSize(221, 83));
    EXPECT_EQ(n.Label1->text(), "You have gotten a High Score!  Enter your name below:");
    EXPECT_TRUE(n.Label1->wordWrap());
    EXPECT_TRUE(n.cmdOkay->isDefault());
}

// Escape closes neither window: the table must resume play, so only Close or the close box end it.
TEST_F(ScoresWindow, EscapeClosesNothing) {
    bool stillOpen = false;
    openTable(*rig.forms, *w, [&](frmScores &table) {
        QTest::keyClick(&table, Qt::Key_Escape);
        stillOpen = table.isVisible() && timerFlags(*w) == Halted;
        table.close();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(timerFlags(*w), playingAt(1));

    frmName &entry = rig.forms->name();
    entry.show();
    QTest::keyClick(&entry, Qt::Key_Escape);
    EXPECT_TRUE(entry.isVisible());
    entry.close();
}

// Mended: "Okay" with the table not loaded fills the places from the file before entering the score.
TEST_F(ScoresWindow, OkayFillsAFreshTableFromTheFile) {
    w->lblScore->setText("5500");
    w->lblTime->setText("0:3:9");
    frmName &entry = rig.forms->name();
    entry.txtName->setText("Bea");
    ASSERT_FALSE(rig.forms->isScoresLoaded());
    entry.cmdOkay->click();
    ASSERT_TRUE(rig.forms->isScoresLoaded());
    frmScores &table = rig.forms->scores();
    EXPECT_TRUE(table.isVisible());
    EXPECT_EQ(table.lblScore[0]->text(), "10000");
    EXPECT_EQ(table.lblScore[5]->text(), "5500");
    EXPECT_EQ(table.lblName[5]->text(), "Bea (0:3:9)");
    EXPECT_EQ(table.lblScore[9]->text(), "2000");
    table.close();
    EXPECT_EQ(timerFlags(*w), playingAt(1));
}

// Mended: the table opened by "Okay" holds the main window off as the High Scores one does, and
// the name dialog waits hidden until the table closes, so Command1 enters the typed name again.
TEST_F(ScoresWindow, TableAfterOkayBlocksTheMainWindow) {
    w->show();
    w->lblScore->setText("5500");
    ImageControl *target = w->imgShoot[12];
    target->show();
    frmName &entry = rig.forms->name();
    entry.txtName->setText("Bea");
    entry.cmdOkay->click();
    frmScores &table = rig.forms->scores();
    for (QWidget *control : std::initializer_list<QWidget *>{target, w->cmdNew}) {
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, control->mapTo(w, control->rect().center()));
    }
    EXPECT_EQ(w->lblScore->text(), "5500");
    EXPECT_TRUE(table.isModal());
    EXPECT_TRUE(rig.forms->isNameLoaded() && entry.isHidden());
    table.Command1->click();
    EXPECT_EQ(table.lblName[6]->text(), "Bea (0:0:0)");
    table.close();
    EXPECT_FALSE(rig.forms->isNameLoaded());
    w->hide();
}

namespace {
// The real file service, with the program's folder moved to a test folder.
class FolderFiles final : public Files {
public:
    explicit FolderFiles(QString folder) : m_folder(std::move(folder)) {}
    QString programFolder() override { return m_folder; }
    bool isRegularFile(const QString &path) override { return m_real.isRegularFile(path); }
    std::optional<QByteArray> readAll(const QString &path) override { return m_real.readAll(path); }
    QString canonicalPath(const QString &path) override { return m_real.canonicalPath(path); }

private:
    QtFiles m_real;
    QString m_folder;
};
} // namespace

// Entries made in play never reach the score file: its bytes and time stay as they were.
TEST(ScoreFileIsInputOnly, PlayWithEntriesLeavesTheFileAlone) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("scores.dat"));
    const QByteArray original = FakeServices::defaultScoreFile();
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(original);
    }
    const QDateTime written = QFileInfo(path).lastModified();

    FakeServices fakes;
    FolderFiles files(dir.path());
    Services services{fakes.messages, fakes.fileDialogs, fakes.colorDialogs, fakes.store,
                      files,          fakes.random,      fakes.program,      fakes.sound};
    modPlinkard mod(fakes.sound, files);
    Timer::setManualTicks(true);
    auto forms = std::make_unique<Forms>(services, mod);
    frmPlinkard &w = forms->main();
    ASSERT_FALSE(fakes.program.endedWith.has_value());
    w.lblScore->setText("99999");
    openTable(*forms, w, [](frmScores &table) {
        for (int i = 0; i < 3; ++i) {
            table.Command1_Click();
        }
        table.close();
    });
    forms->name().txtName->setText("Cleo");
    forms->name().cmdOkay_Click();
    forms->scores().close();
    w.cmdExit_Click();
    forms.reset();

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), original);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
    EXPECT_EQ(mod.ScoreLines.size(), 25);
    EXPECT_EQ(mod.ScoreLines.at(3), "10000");
}
