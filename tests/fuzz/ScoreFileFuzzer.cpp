// SPDX-License-Identifier: MIT
// Catches any scores.dat bytes misread: its lines, written back with CR LF, are the file with CR LF ends.
#include "FuzzInput.h"
#include "scores/HighScoreTable.h"
#include "scores/ScoreFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList lines = splitScoreLines(bytes);
    QByteArray crlf = bytes, written;
    crlf.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    for (const QString &line : lines) {
        written += line.toLatin1() + "\r\n";
    }
    FUZZ_CHECK(written == (crlf.isEmpty() || crlf.endsWith("\r\n") ? crlf : crlf + "\r\n"));
    const ScoreTable table = tableFromLines(lines);
    for (int i = 0; i < PlaceCount; ++i) {
        FUZZ_CHECK(table.at(size_t(i)).score == lines.value(3 + i) && table.at(size_t(i)).name == lines.value(15 + i));
    }
    return 0;
}
