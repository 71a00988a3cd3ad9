// SPDX-License-Identifier: MIT
#pragma once

#include "RandomSource.h"

#include <cstdint>

// PCG32 (XSH RR) with a fixed seed, so every run on every machine sees the same
// sequence. The top 24 bits of each output, times 2^-24, give a float in [0, 1)
// that is exact, so the mapping does not depend on the machine's rounding.
class SeededRandom final : public RandomSource {
public:
    static constexpr uint64_t DefaultSeed = 0x504C494E4B415244ULL; // "PLINKARD"

    explicit SeededRandom(uint64_t seed = DefaultSeed);
    float next() override;

private:
    uint32_t nextBits();
    uint64_t m_state = 0;
    static constexpr uint64_t Increment = 1442695040888963407ULL;
};
