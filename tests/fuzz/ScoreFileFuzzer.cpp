// SPDX-License-Identifier: MIT
// Catches any scores.dat bytes misread: its lines, written back with CR LF, are the file's first 25 with CR LF ends.
#include "FuzzInput.h"
#include "scores/HighScoreTable.h"
#include "scores/ScoreFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList lines = splitScoreLines(bytes, ScoreFileLinesUsed);
    QByteArray crlf = bytes, written, expected;
    crlf.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    crlf += crlf.isEmpty() || crlf.endsWith("\r\n") ? "" : "\r\n";
    for (qsizetype at = 0, n = 0; at < crlf.size() && n < ScoreFileLinesUsed; ++n) {
        const qsizetype end = crlf.indexOf("\r\n", at) + 2;
        expected += crlf.mid(at, end - at);
        at = end;
    }
    for (const QString &line : lines) {
        written += line.toLatin1() + "\r\n";
    }
    FUZZ_CHECK(written == expected);
    const ScoreTable table = tableFromLines(lines);
    for (int i = 0; i < PlaceCount; ++i) {
        FUZZ_CHECK(table.at(size_t(i)).score == lines.value(3 + i) && table.at(size_t(i)).name == lines.value(15 + i));
    }
    return 0;
}
