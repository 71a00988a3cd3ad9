// SPDX-License-Identifier: MIT
#pragma once

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Uniform in [0, 1).
    virtual float next() = 0;
};
