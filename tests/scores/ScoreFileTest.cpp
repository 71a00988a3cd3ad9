// SPDX-License-Identifier: MIT
#include "game/rules/ScoreFile.h"
#include "game/GameTestSupport.h"
#include "game/rules/HighScoreTable.h"

// Catches a missing scores.dat not ending the program with its box's words and status 1, storing nothing, an odd one
// shown a line off (line 4 is place 1; CR, LF and CR LF end a line, Latin-1), the bound of the bytes read missed by
// one, or the shipped file not read to its last place. Lines kept that the table never shows (a file of a million lines
// was held whole): SoundTest's HostileFiles.
TEST(StartUpCheck, ScoreFileTable) {
    const QByteArray binary("\x00\x01\xff\r\x7f\r\n\r\x00\x80\xa0\xe9 99\r\x00\xfe", 18);
    QFile shipped(QT_TESTCASE_SOURCEDIR "/../assets/scores.dat");
    const QByteArray lines = "1\r2\n3\r\n4" + QByteArray(20, '\n') + "\rP10"; // each end once, the last without
    // Missing, unreadable, empty, 25 lines, binary, line 25 ending at the last byte read or one after, shipped.
    const std::vector<std::tuple<std::optional<QByteArray>, bool, QString>> rows{
        {std::nullopt, true, ""},
        {"unreadable", true, ""},
        {QByteArray(), false, "|"},
        {lines + "\n26\n27", false, "4|P10"},
        {binary, false, QString::fromLatin1(QByteArray("\x00\x80\xa0\xe9 99|", 8))},
        {QByteArray(ScoreFileBytesRead - lines.size(), 'x') + lines, false, "4|P10"},
        {QByteArray(ScoreFileBytesRead + 1 - lines.size(), 'x') + lines, false, "4|P1"},
        {shipped.open(QIODevice::ReadOnly) ? shipped.readAll() : "", false, "250000|Wren Tully (0:1:58)"}};
    for (const auto &[bytes, ends, shown] : rows) {
        GameRig rig;
        rig.fakes.files.files.remove("/opt/plinkard/scores.dat");
        bytes ? void(rig.fakes.files.files.insert("/opt/plinkard/scores.dat", *bytes)) : void();
        rig.fakes.files.unreadable << "/opt/plinkard/scores.dat" + QString(bytes == "unreadable" ? "" : "-");
        rig.start();
        const std::vector<ShownBox> &boxes = rig.fakes.messages.shown;
        EXPECT_EQ(boxes.empty() ? "" : boxes[0].title + " " + boxes[0].prompt + " " + QString::number(boxes.size()),
                  ends ? "Error! Error!  scores.dat was not found.  Plinkard high scores will not operate with out "
                         "this file. 1"
                       : "")
            << shown;
        if (ends) {
            EXPECT_TRUE(rig.fakes.program.endedWith == 1 && rig.fakes.store.values.isEmpty()) << shown;
            continue;
        }
        frmScores &table = rig.forms->scores();
        table.fill(rig.mod.ScoreLines);
        EXPECT_EQ(table.lblScore[0]->text() + "|" + table.lblName[9]->text(), shown);
        EXPECT_LE(rig.mod.ScoreLines.size(), 25);
    }
}

// Catches a comparison turned round or made non-strict (the first place beaten strictly, ties below), a place below
// a new entry not moved down, moved by two, or the last kept: players by place, "N" the new one.
TEST(HighScores, EntryTable) {
    const ScoreTable tenToOne = tableFromLines(splitScoreLines(
        FakeServices().files.files.value("/opt/plinkard/scores.dat"), ScoreFileLinesUsed)); // the fakes' file
    const std::vector<std::pair<const char *, const char *>> rows{
        {"10001", "N 1 2 3 4 5 6 7 8 9"}, {"7001", "1 2 3 N 4 5 6 7 8 9"},  {"7000", "1 2 3 4 N 5 6 7 8 9"},
        {"1500", "1 2 3 4 5 6 7 8 9 N"},  {"1000", "1 2 3 4 5 6 7 8 9 10"}, {"lots", "1 2 3 4 5 6 7 8 9 10"}};
    for (const auto &[score, places] : rows) {
        ScoreTable table = tenToOne;
        EXPECT_EQ(insertScore(table, score, "N"), QString(places).contains('N')) << score;
        QStringList names;
        for (const ScorePlace &place : table) {
            names << QString(place.name).remove("Player ");
            EXPECT_EQ(place.score, names.last() == "N" ? score : QString::number(11000 - 1000 * names.last().toInt()));
        }
        EXPECT_EQ(names.join(' '), places) << score;
    }
    ScoreTable blanks = tenToOne;
    blanks[6].score = "";
    EXPECT_EQ(placeFor(blanks, "-500"), 6); // a blank place ranks below every number
}
