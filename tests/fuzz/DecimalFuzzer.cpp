// Counter captions and the winning-score box may hold any text: parse, format,
// add and compare must agree with an independent reading of whole numbers.
#include "FuzzInput.h"
#include "game/Decimal.h"

#include <cstring>

namespace {
void checkOne(const QString &text, int64_t delta) {
    const auto value = Decimal::parse(text);
    const auto ref = refParse(text);
    // parse accepts exactly the whole numbers that fit in 64 bits.
    if (!ref) {
        FUZZ_CHECK(!value);
        FUZZ_CHECK(!Decimal::compare(text, text));
        FUZZ_CHECK(!Decimal::add(text, delta));
        return;
    }
    FUZZ_CHECK(Decimal::compare(text, text) == 0);
    const bool fits = ref->digits.size() < 19 ||
                      (ref->digits.size() == 19 &&
                       ref->digits <= std::string(ref->negative ? "9223372036854775808" : "9223372036854775807"));
    FUZZ_CHECK(value.has_value() == fits);
    if (!value) {
        return;
    }
    const std::string plain = (ref->negative ? "-" : "") + (ref->digits.empty() ? std::string("0") : ref->digits);
    FUZZ_CHECK(Decimal::format(*value).toStdString() == plain);
    FUZZ_CHECK(Decimal::compare(text, Decimal::format(*value)) == 0);

    const __int128 sum = static_cast<__int128>(*value) + delta;
    const auto added = Decimal::add(text, delta);
    if (sum > INT64_MAX || sum < INT64_MIN) {
        FUZZ_CHECK(!added);
    } else {
        FUZZ_CHECK(added && added->toStdString() == std::to_string(static_cast<int64_t>(sum)));
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const auto fields = fuzzFields(data, size);
    const QString a = QString::fromUtf8(fuzzField(fields, 0));
    const QString b = QString::fromUtf8(fuzzField(fields, 1));
    int64_t delta = 0;
    const QByteArray raw = fuzzField(fields, 2);
    std::memcpy(&delta, raw.constData(), std::min<size_t>(sizeof delta, static_cast<size_t>(raw.size())));

    checkOne(a, delta);
    checkOne(b, -delta);

    // Any 64-bit value formats to the plain form and reads back unchanged.
    const QString formatted = Decimal::format(delta);
    FUZZ_CHECK(Decimal::parse(formatted) == delta);
    FUZZ_CHECK(formatted.toStdString() == std::to_string(delta));

    // Comparison at any length: as the reference, antisymmetric, and as int64 where both fit.
    const auto order = Decimal::compare(a, b);
    FUZZ_CHECK(order == refCompare(a, b));
    const auto reverse = Decimal::compare(b, a);
    FUZZ_CHECK(order.has_value() == reverse.has_value());
    if (order) {
        FUZZ_CHECK(*order == -*reverse);
        const auto va = Decimal::parse(a);
        const auto vb = Decimal::parse(b);
        if (va && vb) {
            FUZZ_CHECK(*order == (*va < *vb ? -1 : (*va > *vb ? 1 : 0)));
        }
    }
    return 0;
}
