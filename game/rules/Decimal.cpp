// SPDX-License-Identifier: MIT
#include "Decimal.h"

namespace {
struct Parts {
    bool negative = false;
    QStringView digits; // without leading zeros; empty means zero
};

std::optional<Parts> split(QStringView text) {
    text = text.trimmed();
    Parts parts;
    if (!text.isEmpty() && (text.front() == u'-' || text.front() == u'+')) {
        parts.negative = text.front() == u'-';
        text = text.mid(1);
    }
    if (text.isEmpty()) {
        return std::nullopt;
    }
    for (const QChar c : text) {
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
    }
    qsizetype first = 0;
    while (first < text.size() && text[first] == u'0') {
        ++first;
    }
    parts.digits = text.mid(first);
    if (parts.digits.isEmpty()) {
        parts.negative = false;
    }
    return parts;
}

int compareMagnitude(QStringView a, QStringView b) {
    if (a.size() != b.size()) {
        return a.size() < b.size() ? -1 : 1;
    }
    const int c = a.compare(b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
} // namespace

std::optional<int64_t> Decimal::parse(QStringView text) {
    const auto parts = split(text);
    if (!parts) {
        return std::nullopt;
    }
    // |INT64_MIN| does not fit in int64_t, so accumulate negatively.
    int64_t value = 0;
    for (const QChar c : parts->digits) {
        const int digit = c.unicode() - u'0';
        if (__builtin_mul_overflow(value, 10, &value) || __builtin_sub_overflow(value, digit, &value)) {
            return std::nullopt;
        }
    }
    if (parts->negative) {
        return value;
    }
    if (value == INT64_MIN) {
        return std::nullopt;
    }
    return -value;
}

QString Decimal::format(int64_t value) { return QString::number(value); }

std::optional<QString> Decimal::add(QStringView text, int64_t delta) {
    const auto value = parse(text);
    int64_t sum = 0;
    if (!value || __builtin_add_overflow(*value, delta, &sum)) {
        return std::nullopt;
    }
    return format(sum);
}

std::optional<int> Decimal::compare(QStringView a, QStringView b) {
    const auto pa = split(a);
    const auto pb = split(b);
    if (!pa || !pb) {
        return std::nullopt;
    }
    if (pa->negative != pb->negative) {
        return pa->negative ? -1 : 1;
    }
    const int magnitude = compareMagnitude(pa->digits, pb->digits);
    return pa->negative ? -magnitude : magnitude;
}
