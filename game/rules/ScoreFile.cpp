// SPDX-License-Identifier: MIT
#include "ScoreFile.h"

QStringList splitScoreLines(const QByteArray &data, qsizetype maxLines) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = data.size();
    for (qsizetype i = 0; i < size && lines.size() < maxLines; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines << QString::fromLatin1(data.constData() + start, i - start);
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < size && lines.size() < maxLines) {
        lines << QString::fromLatin1(data.constData() + start, size - start);
    }
    return lines;
}
