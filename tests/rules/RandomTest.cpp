#include "platform/SeededRandom.h"

#include <gtest/gtest.h>
#include <vector>

// Every run on every machine must see the same pop-ups: the sequence is pinned.
TEST(SeededRandom, FirstValuesArePinned) {
    SeededRandom random;
    // Each value is a whole number of 2^-24 steps.
    std::vector<double> steps;
    for (int i = 0; i < 6; ++i) {
        steps.push_back(static_cast<double>(random.next()) * 16777216.0);
    }
    const std::vector<double> expected{8692509, 15076616, 12726085, 1007323, 5853891, 12923798};
    EXPECT_EQ(steps, expected);
}

TEST(SeededRandom, StaysInUnitIntervalAndCoversIt) {
    SeededRandom random;
    int buckets[8] = {};
    for (int i = 0; i < 80000; ++i) {
        const float u = random.next();
        ASSERT_GE(u, 0.0F);
        ASSERT_LT(u, 1.0F);
        ++buckets[static_cast<int>(u * 8)];
    }
    for (int b : buckets) {
        EXPECT_NEAR(b, 10000, 500);
    }
}

TEST(SeededRandom, SameSeedSameSequenceOtherSeedOtherSequence) {
    SeededRandom a;
    SeededRandom b;
    SeededRandom c(42);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const float va = a.next();
        EXPECT_EQ(va, b.next());
        differs = differs || va != c.next();
    }
    EXPECT_TRUE(differs);
}
