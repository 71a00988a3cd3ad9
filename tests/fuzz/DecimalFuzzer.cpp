// Counter captions and the winning-score box may hold any text: parse, add and compare must agree.
#include "FuzzInput.h"
#include "game/Decimal.h"

#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto fields = fuzzFields(data, size, 3);
    const QString a = QString::fromUtf8(fields[0]);
    const QString b = QString::fromUtf8(fields[1]);
    int64_t delta = 0;
    std::memcpy(&delta, fields[2].constData(), std::min<size_t>(sizeof delta, static_cast<size_t>(fields[2].size())));

    const auto order = Decimal::compare(a, b);
    const auto reverse = Decimal::compare(b, a);
    FUZZ_CHECK(order.has_value() == reverse.has_value() && (!order || *order == -*reverse));
    FUZZ_CHECK(order.has_value() == (Decimal::compare(a, a) == 0 && Decimal::compare(b, b) == 0));
    const auto va = Decimal::parse(a);
    const auto vb = Decimal::parse(b);
    if (va && vb) { // where both fit in 64 bits, as plain numbers
        FUZZ_CHECK(order == (*va < *vb ? -1 : (*va > *vb ? 1 : 0)));
    }
    if (va) {
        FUZZ_CHECK(Decimal::compare(a, Decimal::format(*va)) == 0 && Decimal::parse(Decimal::format(*va)) == va);
        const __int128 sum = static_cast<__int128>(*va) + delta;
        const auto added = Decimal::add(a, delta);
        FUZZ_CHECK(sum > INT64_MAX || sum < INT64_MIN ? !added
                                                      : added && added->toStdString() == std::to_string(int64_t(sum)));
    } else {
        FUZZ_CHECK(!Decimal::add(a, delta));
    }
    FUZZ_CHECK(Decimal::format(delta).toStdString() == std::to_string(delta));
    return 0;
}
