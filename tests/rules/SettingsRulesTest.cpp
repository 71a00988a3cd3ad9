#include "settings/KeyFilter.h"
#include "settings/StoredSettings.h"

#include <QStringList>
#include <gtest/gtest.h>

// Catches a renamed key: settings stored by earlier versions must still be found.
TEST(StoredSettings, KeyNames) {
    using namespace StoredSettings;
    EXPECT_EQ(QStringList({App, Section, Midi, Wave, WinningScore, WinScore, ChangeSpeed, ExtraPoints, MidiOnOff,
                           WaveOnOff, DefaultWinningScore}),
              QStringList({"Brindlecot", "Plinkard", "MIDI", "WAVE", "Winning Score", "Win Score", "Change Speed",
                           "Extra Points", "MIDI ON-OFF", "WAVE ON-OFF", "100000000"}));
}

// Catches a stored check value misread: only "0" and "1" (blanks around) count, all else is the default.
TEST(StoredSettings, CheckValueTable) {
    const std::vector<std::tuple<const char *, int, int>> rows{
        {"0", 1, 0},  {"1", 0, 1},   {" 1 ", 0, 1}, {"0 ", 1, 0}, {"2", 1, 1},
        {"-1", 0, 0}, {"yes", 0, 0}, {"", 1, 1},    {"01", 0, 0},
    };
    for (const auto &[stored, fallback, value] : rows) {
        EXPECT_EQ(StoredSettings::checkValue(stored, fallback), value) << stored;
    }
}

// Catches a key not ignored or a bound moved: in an "N" box only digits among codes 32 to 126.
TEST(KeyFilter, KeyTable) {
    const std::vector<std::tuple<int, const char *, bool>> rows{
        {'0', "N", true},  {'9', "N", true},  {'/', "N", false}, {':', "N", false}, {'a', "N", false},
        {' ', "N", false}, {'-', "N", false}, {'~', "N", false}, {8, "N", true},    {31, "N", true},
        {127, "N", true},  {0xE9, "N", true}, {'a', "", true},   {'a', "n", true},
    };
    for (const auto &[code, tag, passes] : rows) {
        EXPECT_EQ(keyPasses(code, tag), passes) << code << " " << tag;
    }
    EXPECT_TRUE(textPasses("0123", "N"));
    EXPECT_FALSE(textPasses("12a", "N"));
}
