#include "fakes/GameRig.h"
#include "scores/frmScores.h"

#include <QLabel>
#include <gtest/gtest.h>

// Catches a missing or unreadable scores.dat let through (or settings saved on the way out), or an odd
// one ending the game or shown wrongly: line 4 is place 1, line 25 the tenth name, byte for byte Latin-1.
TEST(StartUpCheck, ScoreFileTable) {
    QByteArray huge;
    for (int i = 0; i < 1'000'000; ++i) {
        huge += QByteArray::number(1'000'000 + i) + '\n';
    }
    const QByteArray binary("\x00\x01\xff\r\x7f\r\n\r\x00\x80\xa0\xe9 99\r\x00\xfe", 18);
    const std::vector<std::tuple<const char *, std::optional<QByteArray>, bool, QString, QString>> rows{
        {"missing", std::nullopt, true, "", ""},
        {"unreadable", "1\n2\n", true, "", ""},
        {"empty", QByteArray(), false, "", ""},
        {"short", "1\n2\n3\n4\n5\n", false, "4", ""},
        {"binary", binary, false, QString::fromLatin1(QByteArray("\x00\x80\xa0\xe9 99", 7)), ""},
        {"huge", huge, false, "1000003", "1000024"},
    };
    for (const auto &[name, bytes, ends, place1, name10] : rows) {
        GameRig rig;
        rig.fakes.files.files.remove("/opt/plinkard/scores.dat");
        if (bytes) {
            rig.fakes.files.files.insert("/opt/plinkard/scores.dat", *bytes);
        }
        if (qstrcmp(name, "unreadable") == 0) {
            rig.fakes.files.unreadable << "/opt/plinkard/scores.dat";
        }
        rig.start();
        EXPECT_EQ(rig.fakes.program.endedWith.has_value(), ends) << name;
        EXPECT_EQ(rig.fakes.messages.shown.size(), ends ? 1U : 0U) << name;
        if (ends) {
            EXPECT_EQ(rig.fakes.messages.shown[0].prompt, "Error!  scores.dat was not found.  Plinkard high scores "
                                                          "will not operate with out this file.");
            EXPECT_TRUE(rig.fakes.store.writes.isEmpty()) << name;
            continue;
        }
        frmScores &table = rig.forms->scores();
        table.fill(rig.mod.ScoreLines);
        EXPECT_EQ(table.lblScore[0]->text() + "|" + table.lblName[9]->text(), place1 + "|" + name10) << name;
    }
}
