// SPDX-License-Identifier: MIT
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

// Counters are kept as plain decimal text in captions: no leading zeros, no
// fraction, a minus sign when negative.
namespace Decimal {
// Optional blanks around, an optional sign, then digits only. nullopt when the
// text is not a whole number or does not fit in 64 bits.
std::optional<int64_t> parse(QStringView text);
QString format(int64_t value);
// text + delta in the plain form; nullopt when text is not a number or the sum overflows.
std::optional<QString> add(QStringView text, int64_t delta);
// Exact comparison of two whole numbers of any length (-1, 0, 1); nullopt when either is not one.
std::optional<int> compare(QStringView a, QStringView b);
} // namespace Decimal
