#include "fakes/GameRig.h"
#include "scores/HighScoreTable.h"
#include "scores/ScoreFile.h"
#include "scores/frmName.h"
#include "scores/frmScores.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

namespace {
// Scores 10000, 9000, ... 1000 named "Player 1" to "Player 10".
ScoreTable defaultTable() { return tableFromLines(splitScoreLines(FakeServices::defaultScoreFile())); }

QStringList scores(const ScoreTable &table) {
    QStringList out;
    for (const ScorePlace &p : table) {
        out << p.score;
    }
    return out;
}

QStringList shownScores(const frmScores &w) {
    QStringList out;
    for (const QLabel *l : w.lblScore) {
        out << l->text();
    }
    return out;
}

QStringList shownNames(const frmScores &w) {
    QStringList out;
    for (const QLabel *l : w.lblName) {
        out << l->text();
    }
    return out;
}
} // namespace

// A score takes the first place it beats strictly and pushes the rest down, dropping the tenth.
TEST(InsertScore, FindsItsPlaceAndShiftsTheRest) {
    ScoreTable top = defaultTable();
    ASSERT_TRUE(insertScore(top, "20000", "Ada (0:1:2)"));
    EXPECT_EQ(scores(top),
              QStringList({"20000", "10000", "9000", "8000", "7000", "6000", "5000", "4000", "3000", "2000"}));
    EXPECT_EQ(top[0].name, "Ada (0:1:2)");
    EXPECT_EQ(top[1].name, "Player 1");
    EXPECT_EQ(top[9].name, "Player 9");

    ScoreTable middle = defaultTable();
    ASSERT_TRUE(insertScore(middle, "6500", "Bo"));
    EXPECT_EQ(scores(middle),
              QStringList({"10000", "9000", "8000", "7000", "6500", "6000", "5000", "4000", "3000", "2000"}));
    EXPECT_EQ(middle[5].name, "Player 5");

    ScoreTable tenth = defaultTable();
    ASSERT_TRUE(insertScore(tenth, "1500", "Cy"));
    const ScoreTable before = defaultTable();
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(tenth.at(i).score, before.at(i).score);
        EXPECT_EQ(tenth.at(i).name, before.at(i).name);
    }
    EXPECT_EQ(tenth[9].score, "1500");
    EXPECT_EQ(tenth[9].name, "Cy");
}

// Equal to the tenth, lower than all, or lower by value though longer as text: nothing changes.
TEST(InsertScore, ScoresThatDoNotQualify) {
    for (const char *score : {"1000", "999", "-95", "0", "900"}) {
        ScoreTable table = defaultTable();
        EXPECT_FALSE(insertScore(table, score, "X")) << score;
        EXPECT_EQ(scores(table), scores(defaultTable())) << score;
    }
    ScoreTable thousands;
    for (ScorePlace &place : thousands) {
        place.score = "1000";
    }
    EXPECT_EQ(placeFor(thousands, "900"), std::nullopt);
    EXPECT_EQ(placeFor(thousands, "1001"), 0);
    for (ScorePlace &place : thousands) {
        place.score = "10000000000000000000000";
    }
    EXPECT_EQ(placeFor(thousands, "9999999999999999999"), std::nullopt);
}

// Ties go below the earlier entry; negative scores compare as numbers.
TEST(InsertScore, TiesGoBelowAndNegativesCompare) {
    ScoreTable table = defaultTable();
    EXPECT_EQ(placeFor(table, "7000"), 4);
    EXPECT_EQ(placeFor(table, "7001"), 3);

    ScoreTable negative;
    for (int i = 0; i < PlaceCount; ++i) {
        negative.at(i).score = QString::number(-100 * (i + 1));
    }
    EXPECT_EQ(placeFor(negative, "-95"), 0);
    EXPECT_EQ(placeFor(negative, "-550"), 5);
    EXPECT_EQ(placeFor(negative, "-1000"), std::nullopt);
    EXPECT_EQ(placeFor(negative, "-1001"), std::nullopt);
}

// A blank or non-numeric place ranks below every number, so even a negative score takes it.
TEST(InsertScore, BlankAndTextPlacesRankLowest) {
    ScoreTable table = defaultTable();
    table[6].score = "";
    table[8].score = "lots";
    EXPECT_EQ(placeFor(table, "-500"), 6);
    EXPECT_EQ(placeFor(table, "5500"), 5);
    ScoreTable blank = tableFromLines({});
    ASSERT_TRUE(insertScore(blank, "-95", "Dee"));
    EXPECT_EQ(blank[0].score, "-95");
    EXPECT_EQ(blank[1].score, "");
}

// Command1 enters the main window's score with its clock; with no name typed, the name starts with the blank.
class EnterScore : public ::testing::Test {
  protected:
    void SetUp() override {
        w = &rig.start();
        table = &rig.forms->scores();
        table->fill(rig.mod.ScoreLines);
        w->lblScore->setText("8500");
        w->lblTime->setText("0:12:5");
    }
    GameRig rig;
    frmPlinkard *w = nullptr;
    frmScores *table = nullptr;
};

TEST_F(EnterScore, Command1UsesTheNameBoxAndTheClock) {
    EXPECT_FALSE(rig.forms->isNameLoaded());
    table->Command1->click();
    EXPECT_EQ(shownScores(*table).mid(0, 4), QStringList({"10000", "9000", "8500", "8000"}));
    EXPECT_EQ(table->lblName[2]->text(), " (0:12:5)");
    // The name box was reached, so the dialog is now loaded, hidden.
    ASSERT_TRUE(rig.forms->isNameLoaded());
    EXPECT_FALSE(rig.forms->name().isVisible());

    rig.forms->name().txtName->setText("Ada Lovelace");
    table->Command1_Click();
    EXPECT_EQ(table->lblName[3]->text(), "Ada Lovelace (0:12:5)");
    EXPECT_TRUE(rig.fakes.messages.shown.empty());
}

// Each click enters the same score again below its earlier copies, until it beats no place.
TEST_F(EnterScore, RepeatedCommand1FillsDownwards) {
    for (int i = 0; i < 12; ++i) {
        table->Command1_Click();
    }
    EXPECT_EQ(shownScores(*table),
              QStringList({"10000", "9000", "8500", "8500", "8500", "8500", "8500", "8500", "8500", "8500"}));
    EXPECT_EQ(shownNames(*table).mid(0, 2), QStringList({"Player 1", "Player 2"}));
}

// The name box takes at most 40 characters; such a name keeps its caption but stays clear of the score.
TEST_F(EnterScore, NamesStopAtFortyCharacters) {
    QLineEdit *box = rig.forms->name().txtName;
    box->setText(QString(50, u'W'));
    EXPECT_EQ(box->text().size(), 40);
    table->Command1_Click();
    EXPECT_EQ(table->lblName[2]->text(), QString(40, u'W') + " (0:12:5)");
    EXPECT_LT(table->lblName[2]->geometry().right(), table->lblScore[2]->x());
    table->Command1_Click();
    EXPECT_EQ(table->lblName[3]->text(), QString(40, u'W') + " (0:12:5)");
}
