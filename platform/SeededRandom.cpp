// SPDX-License-Identifier: MIT
#include "SeededRandom.h"

namespace {
constexpr uint64_t Multiplier = 6364136223846793005ULL;
}

SeededRandom::SeededRandom(uint64_t seed) {
    nextBits();
    m_state += seed;
    nextBits();
}

uint32_t SeededRandom::nextBits() {
    const uint64_t old = m_state;
    m_state = old * Multiplier + Increment;
    const auto xorShifted = static_cast<uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rot = static_cast<uint32_t>(old >> 59U);
    return (xorShifted >> rot) | (xorShifted << ((32U - rot) & 31U));
}

float SeededRandom::next() {
    constexpr float Scale = 1.0F / 16777216.0F;
    return static_cast<float>(nextBits() >> 8U) * Scale;
}
