// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QStringList>

// The score file's lines: CR LF, a lone CR and a lone LF each end a line; a last
// line without an end is read; a final line end adds no empty line. Bytes are
// 8-bit text, read as Latin-1. Lines after the first maxLines are not kept.
QStringList splitScoreLines(const QByteArray &data, qsizetype maxLines);

// The table uses lines 1 to 25 and nothing after them.
inline constexpr qsizetype ScoreFileLinesUsed = 25;
// Read from the start of the file, whatever its size: 25 lines of 40 KiB. A line under way at this
// bound ends there, and the lines it leaves out stay blank.
inline constexpr qint64 ScoreFileBytesRead = 1 << 20;
