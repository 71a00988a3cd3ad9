// SPDX-License-Identifier: MIT
#include "KeyFilter.h"

bool keyPasses(int code, const QString &tag) {
    if (code < 32 || code > 126 || tag != u"N") {
        return true;
    }
    return code >= '0' && code <= '9';
}

bool textPasses(const QString &text, const QString &tag) {
    for (const QChar c : text) {
        if (!keyPasses(c.unicode(), tag)) {
            return false;
        }
    }
    return true;
}
