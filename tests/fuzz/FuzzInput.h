// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <cstdio>
#include <cstdlib>
#include <vector>

// Fields separated by NUL bytes, so seeds stay readable; missing fields are empty.
inline std::vector<QByteArray> fuzzFields(const uint8_t *data, size_t size, size_t atLeast) {
    std::vector<QByteArray> fields(1);
    for (size_t i = 0; i < size; ++i) {
        data[i] == 0 ? fields.emplace_back() : fields.back().append(static_cast<char>(data[i]));
    }
    fields.resize(std::max(fields.size(), atLeast));
    return fields;
}

#define FUZZ_CHECK(c) ((c) ? void() : (std::fprintf(stderr, "%s:%d: %s\n", __FILE__, __LINE__, #c), std::abort()))
