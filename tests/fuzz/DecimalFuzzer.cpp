// SPDX-License-Identifier: MIT
// Catches parse, add, format and compare disagreeing on any counter caption or winning-score text.
#include "FuzzInput.h"
#include "game/rules/Decimal.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto fields = fuzzFields(data, size, 3);
    const QString a = QString::fromUtf8(fields[0]), b = QString::fromUtf8(fields[1]);
    int64_t delta = 0;
    std::memcpy(&delta, fields[2].constData(), std::min<size_t>(sizeof delta, static_cast<size_t>(fields[2].size())));
    const auto order = Decimal::compare(a, b), reverse = Decimal::compare(b, a);
    FUZZ_CHECK(order.has_value() == reverse.has_value() && (!order || *order == -*reverse));
    FUZZ_CHECK(order.has_value() == (Decimal::compare(a, a) == 0 && Decimal::compare(b, b) == 0));
    const auto va = Decimal::parse(a), vb = Decimal::parse(b);
    FUZZ_CHECK(!va || !vb || order == (*va < *vb ? -1 : (*va > *vb ? 1 : 0))); // as plain numbers where both fit
    const __int128 sum = static_cast<__int128>(va.value_or(0)) + delta;
    const auto added = Decimal::add(a, delta);
    FUZZ_CHECK(!va || sum > INT64_MAX || sum < INT64_MIN ? !added
                                                         : added->toStdString() == std::to_string(int64_t(sum)));
    FUZZ_CHECK((!va || Decimal::parse(Decimal::format(*va)) == va) &&
               Decimal::format(delta).toStdString() == std::to_string(delta));
    return 0;
}
