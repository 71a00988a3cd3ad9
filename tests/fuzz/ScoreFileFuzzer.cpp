// The score file as it may lie beside the program: any bytes at all.
#include "FuzzInput.h"
#include "scores/HighScoreTable.h"
#include "scores/ScoreFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QStringList lines = splitScoreLines(bytes);

    // Every byte is either in a line or in a line end; CR LF is one end, and a
    // final end adds no empty line.
    qsizetype ends = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\r') {
            ++ends;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        }
    }
    const bool openLast = !bytes.isEmpty() && bytes.back() != '\n' && bytes.back() != '\r';
    FUZZ_CHECK(lines.size() == ends + (openLast ? 1 : 0));
    qsizetype pos = 0;
    for (const QString &line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        const QByteArray latin = line.toLatin1();
        FUZZ_CHECK(bytes.mid(pos, latin.size()) == latin);
        pos += latin.size();
        if (pos < bytes.size()) {
            pos += bytes.mid(pos, 2) == "\r\n" ? 2 : 1;
        }
    }
    FUZZ_CHECK(pos == bytes.size());

    // Ten places from fixed lines; missing lines give blanks, never a read past the end.
    const ScoreTable table = tableFromLines(lines);
    FUZZ_CHECK(table.size() == 10);
    for (int i = 0; i < PlaceCount; ++i) {
        FUZZ_CHECK(table.at(static_cast<size_t>(i)).score == lines.value(3 + i));
        FUZZ_CHECK(table.at(static_cast<size_t>(i)).name == lines.value(15 + i));
    }
    return 0;
}
