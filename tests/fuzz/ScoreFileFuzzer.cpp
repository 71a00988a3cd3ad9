// SPDX-License-Identifier: MIT
// Catches any scores.dat bytes misread: its lines, written back with CR LF, are the file with CR LF ends; the
// game keeps the first 25 of them.
#include "FuzzInput.h"
#include "game/rules/HighScoreTable.h"
#include "game/rules/ScoreFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList all = splitScoreLines(bytes, bytes.size() + 1), lines = all.mid(0, ScoreFileLinesUsed);
    QByteArray crlf = bytes, written;
    crlf.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    for (const QString &line : all) {
        written += line.toLatin1() + "\r\n";
    }
    FUZZ_CHECK(written == (crlf.isEmpty() || crlf.endsWith("\r\n") ? crlf : crlf + "\r\n"));
    FUZZ_CHECK(splitScoreLines(bytes, ScoreFileLinesUsed) == lines);
    const ScoreTable table = tableFromLines(lines);
    for (int i = 0; i < PlaceCount; ++i) {
        FUZZ_CHECK(table.at(size_t(i)).score == lines.value(3 + i) && table.at(size_t(i)).name == lines.value(15 + i));
    }
    return 0;
}
