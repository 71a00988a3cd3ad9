// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QStringList>

// The score file's lines: CR LF, a lone CR and a lone LF each end a line; a last
// line without an end is read; a final line end adds no empty line. Bytes are
// 8-bit text, read as Latin-1.
QStringList splitScoreLines(const QByteArray &data);
