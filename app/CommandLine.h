// SPDX-License-Identifier: MIT
#pragma once

#include <optional>

// Answers --help and --version on standard output and refuses options the game does not know, before
// anything asks the window system or reads the settings. Empty when the game is to start.
std::optional<int> answerCommandLine(int argc, char *argv[]);
