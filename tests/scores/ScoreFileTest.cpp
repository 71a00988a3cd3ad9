// SPDX-License-Identifier: MIT
#include "game/GameTestSupport.h"

// Catches a missing scores.dat not ending the program, an odd one shown a line off (line 4 is place 1; CR, LF and
// CR LF end a line, Latin-1), or lines kept that the table never shows (a file of a million lines was held whole).
TEST(StartUpCheck, ScoreFileTable) {
    const QByteArray huge = QByteArray("1000000\n").repeated(1'000'000);
    const QByteArray binary("\x00\x01\xff\r\x7f\r\n\r\x00\x80\xa0\xe9 99\r\x00\xfe", 18);
    const std::vector<std::tuple<std::optional<QByteArray>, bool, QString>> rows{
        {std::nullopt, true, ""},
        {"unreadable", true, ""},
        {QByteArray(), false, "|"},
        {"1\r2\n3\r\n4" + QByteArray(20, '\n') + "\rP10", false, "4|P10"}, // each end once, the last line without one
        {binary, false, QString::fromLatin1(QByteArray("\x00\x80\xa0\xe9 99|", 8))},
        {huge, false, "1000000|1000000"}};
    for (const auto &[bytes, ends, shown] : rows) {
        GameRig rig;
        rig.fakes.files.files.remove("/opt/plinkard/scores.dat");
        bytes ? void(rig.fakes.files.files.insert("/opt/plinkard/scores.dat", *bytes)) : void();
        rig.fakes.files.unreadable << "/opt/plinkard/scores.dat" + QString(bytes == "unreadable" ? "" : "-");
        rig.start();
        EXPECT_EQ(rig.fakes.program.endedWith.has_value(), ends) << shown.toStdString();
        ASSERT_EQ(rig.fakes.messages.shown.size(), ends ? 1U : 0U);
        if (ends) {
            EXPECT_EQ(rig.fakes.messages.shown[0].prompt, "Error!  scores.dat was not found.  Plinkard high scores "
                                                          "will not operate with out this file.");
            EXPECT_TRUE(rig.fakes.store.values.isEmpty());
            continue;
        }
        frmScores &table = rig.forms->scores();
        table.fill(rig.mod.ScoreLines);
        EXPECT_EQ(table.lblScore[0]->text() + "|" + table.lblName[9]->text(), shown);
        EXPECT_LE(rig.mod.ScoreLines.size(), 25);
    }
}
