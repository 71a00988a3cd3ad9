#pragma once

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

// Fuzz inputs carry several fields separated by NUL bytes, so seeds stay readable.
inline std::vector<QByteArray> fuzzFields(const uint8_t *data, size_t size) {
    std::vector<QByteArray> fields(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            fields.emplace_back();
        } else {
            fields.back().append(static_cast<char>(data[i]));
        }
    }
    return fields;
}

inline QByteArray fuzzField(const std::vector<QByteArray> &fields, size_t i) {
    return i < fields.size() ? fields[i] : QByteArray();
}

// A whole number written independently of game/Decimal: sign and digits without leading zeros.
struct RefNumber {
    bool negative = false;
    std::string digits; // empty means zero
};

inline std::optional<RefNumber> refParse(const QString &text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).isSpace()) {
        ++begin;
    }
    while (end > begin && text.at(end - 1).isSpace()) {
        --end;
    }
    RefNumber n;
    if (begin < end && (text.at(begin) == u'-' || text.at(begin) == u'+')) {
        n.negative = text.at(begin) == u'-';
        ++begin;
    }
    if (begin == end) {
        return std::nullopt;
    }
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9') {
            return std::nullopt;
        }
        if (!(n.digits.empty() && c == u'0')) {
            n.digits.push_back(static_cast<char>(c));
        }
    }
    if (n.digits.empty()) {
        n.negative = false;
    }
    return n;
}

inline int refCompare(const RefNumber &a, const RefNumber &b) {
    if (a.negative != b.negative) {
        return a.negative ? -1 : 1;
    }
    int magnitude = 0;
    if (a.digits.size() != b.digits.size()) {
        magnitude = a.digits.size() < b.digits.size() ? -1 : 1;
    } else if (a.digits != b.digits) {
        magnitude = a.digits < b.digits ? -1 : 1;
    }
    return a.negative ? -magnitude : magnitude;
}

// -1, 0, 1, or nullopt when either text is not a whole number.
inline std::optional<int> refCompare(const QString &a, const QString &b) {
    const auto ra = refParse(a);
    const auto rb = refParse(b);
    if (!ra || !rb) {
        return std::nullopt;
    }
    return refCompare(*ra, *rb);
}

#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "check failed at %s:%d: %s\n", __FILE__, __LINE__, #condition);                       \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)
