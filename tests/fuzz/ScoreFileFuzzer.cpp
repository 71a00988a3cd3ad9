// The score file as it may lie beside the program: any bytes at all.
#include "FuzzInput.h"
#include "scores/HighScoreTable.h"
#include "scores/ScoreFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList lines = splitScoreLines(bytes);
    // Written back with CR LF after each line, the lines give the file with its ends made CR LF.
    QByteArray crlf = bytes;
    crlf.replace("\r\n", "\n").replace('\r', '\n').replace("\n", "\r\n");
    if (!crlf.isEmpty() && !crlf.endsWith("\r\n")) {
        crlf += "\r\n";
    }
    QByteArray written;
    for (const QString &line : lines) {
        written += line.toLatin1() + "\r\n";
    }
    FUZZ_CHECK(written == crlf);
    const ScoreTable table = tableFromLines(lines); // ten places, never a read past the end
    for (int i = 0; i < PlaceCount; ++i) {
        FUZZ_CHECK(table.at(static_cast<size_t>(i)).score == lines.value(3 + i));
        FUZZ_CHECK(table.at(static_cast<size_t>(i)).name == lines.value(15 + i));
    }
    return 0;
}
