#include "game/Decimal.h"
#include "game/GameClock.h"

#include <gtest/gtest.h>

// Counters live as text in captions; a slip in parsing or formatting shows on screen.
TEST(Decimal, ParsesPlainAndSignedWholeNumbers) {
    EXPECT_EQ(Decimal::parse(u"0"), 0);
    EXPECT_EQ(Decimal::parse(u"-95"), -95);
    EXPECT_EQ(Decimal::parse(u" 100 "), 100);
    EXPECT_EQ(Decimal::parse(u"+7"), 7);
    EXPECT_EQ(Decimal::parse(u"007"), 7);
    EXPECT_EQ(Decimal::parse(u"-9223372036854775808"), INT64_MIN);
    EXPECT_EQ(Decimal::parse(u"9223372036854775807"), INT64_MAX);
}

TEST(Decimal, RejectsWhatIsNotAWholeNumber) {
    for (const char16_t *bad : {u"", u"-", u"1.5", u"1e3", u"abc", u"12a", u"9223372036854775808", u"- 1"}) {
        EXPECT_FALSE(Decimal::parse(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    }
}

TEST(Decimal, AddWritesThePlainFormAndRefusesOverflow) {
    EXPECT_EQ(Decimal::add(u"0", -95), QStringLiteral("-95"));
    EXPECT_EQ(Decimal::add(u"-95", 95), QStringLiteral("0"));
    EXPECT_EQ(Decimal::add(u"0100", 0), QStringLiteral("100"));
    EXPECT_FALSE(Decimal::add(u"9223372036854775807", 1).has_value());
    EXPECT_FALSE(Decimal::add(u"x", 1).has_value());
}

TEST(Decimal, ComparesExactlyAtAnyLength) {
    EXPECT_EQ(Decimal::compare(u"100000001", u"100000000"), 1);
    EXPECT_EQ(Decimal::compare(u"100000000", u"100000000"), 0);
    EXPECT_EQ(Decimal::compare(u"900", u"1000"), -1);
    EXPECT_EQ(Decimal::compare(u"-3000", u"-95"), -1);
    EXPECT_EQ(Decimal::compare(u"-0", u"0"), 0);
    EXPECT_EQ(Decimal::compare(u"99999999999999999999999999999", u"999999999999999999999999999999"), -1);
    EXPECT_EQ(Decimal::compare(u"0000000000000000000000000000005", u"4"), 1);
    EXPECT_FALSE(Decimal::compare(u"", u"1").has_value());
}

TEST(GameClock, RollsSecondsIntoMinutesAndMinutesIntoHours) {
    GameClock clock;
    auto after = [](int ticks) {
        GameClock c;
        for (int i = 0; i < ticks; ++i) {
            c.tick();
        }
        return c.text();
    };
    EXPECT_EQ(clock.text(), QStringLiteral("0:0:0"));
    EXPECT_EQ(after(1), QStringLiteral("0:0:1"));
    EXPECT_EQ(after(59), QStringLiteral("0:0:59"));
    EXPECT_EQ(after(60), QStringLiteral("0:1:0"));
    EXPECT_EQ(after(3599), QStringLiteral("0:59:59"));
    EXPECT_EQ(after(3600), QStringLiteral("1:0:0"));
    EXPECT_EQ(after(12 * 3600 + 59 * 60 + 59), QStringLiteral("12:59:59"));
}
