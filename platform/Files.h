// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

class Files {
public:
    virtual ~Files() = default;
    // Absolute folder of the running program, without a trailing separator.
    virtual QString programFolder() = 0;
    // True only for an existing ordinary file (not a folder, not hidden).
    virtual bool isRegularFile(const QString &path) = 0;
    // At most maxBytes from the start of an ordinary file; nullopt when it cannot be opened or read.
    virtual std::optional<QByteArray> readStart(const QString &path, qint64 maxBytes) = 0;
    // Absolute form of an existing file or folder with its folders resolved and its own name kept, so a link
    // beside the program stays a name in the program's folder; empty when nothing is there.
    virtual QString existingPath(const QString &path) = 0;
};
