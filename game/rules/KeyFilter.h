// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

// Whether a typed character may enter a text box with the given tag: in a box
// tagged "N" only digits among the printable codes 32 to 126; codes below 32
// (Backspace) and above 126 always pass.
bool keyPasses(int code, const QString &tag);

// The same rule for text that arrives at once (a paste).
bool textPasses(const QString &text, const QString &tag);
