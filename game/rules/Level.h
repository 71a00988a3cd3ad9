// SPDX-License-Identifier: MIT
#pragma once

// The four levels, as the Level switch stores them.
enum Level { TooEasy = 0, Easy = 1, Hard = 2, TooHard = 3 };
