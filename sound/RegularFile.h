// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QString>

// Opens a regular file for reading, or nothing: a FIFO, a device or a socket named where a file is
// expected would block the open or the reads, and so the thread that plays the sounds. Resource
// names (":/...") open as any QFile.
bool openRegular(QFile &file, const QString &name);
