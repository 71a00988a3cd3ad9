// SPDX-License-Identifier: MIT
#include "QtFiles.h"

#include "RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

QString QtFiles::programFolder() {
    // applicationDirPath resolves /proc/self/exe, so a symlink in bin/ still finds the real folder.
    return QCoreApplication::applicationDirPath();
}

bool QtFiles::isRegularFile(const QString &path) {
    if (path.isEmpty()) {
        return false;
    }
    const QFileInfo info(path);
    return info.exists() && info.isFile() && !info.isHidden();
}

std::optional<QByteArray> QtFiles::readStart(const QString &path, qint64 maxBytes) {
    QFile file;
    if (!openRegularFile(file, path)) {
        return std::nullopt;
    }
    QByteArray data = file.read(maxBytes);
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return data;
}

QString QtFiles::canonicalPath(const QString &path) {
    if (path.isEmpty()) {
        return {};
    }
    return QFileInfo(path).canonicalFilePath();
}
