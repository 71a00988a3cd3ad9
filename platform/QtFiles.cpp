// SPDX-License-Identifier: MIT
#include "QtFiles.h"

#include "RegularFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <climits>
#include <cstdlib>

QString QtFiles::programFolder() {
    // The link's own bytes: Qt's applicationDirPath() gives an empty folder when they are not UTF-8.
    // The link names the real file, so a symlink in bin/ still finds the real folder.
    QByteArray exe(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", exe.data(), exe.size());
    if (length <= 0 || length >= exe.size()) {
        return QCoreApplication::applicationDirPath();
    }
    exe.truncate(length);
    return pathFromNative(exe.left(std::max<qsizetype>(1, exe.lastIndexOf('/'))));
}

bool QtFiles::isRegularFile(const QString &path) {
    struct stat info {};
    return !path.isEmpty() && ::stat(nativePath(path).constData(), &info) == 0 && S_ISREG(info.st_mode) &&
           !QFileInfo(path).fileName().startsWith(u'.');
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

QString QtFiles::existingPath(const QString &path) {
    if (path.isEmpty()) {
        return {};
    }
    // The folders are resolved, the name itself is not: the package links the files beside the program to
    // where its data lives, and a path stored from the program's folder stays the same in the next version.
    const QByteArray native = nativePath(path);
    const qsizetype slash = native.lastIndexOf('/');
    QByteArray name = native.mid(slash + 1);
    QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : native.left(slash);
    if (name.isEmpty() || name == "." || name == "..") {
        folder = native;
        name.clear();
    }
    char *real = ::realpath(folder.constData(), nullptr);
    if (real == nullptr) {
        return {};
    }
    QByteArray resolved(real);
    std::free(real); // NOLINT(cppcoreguidelines-no-malloc): realpath() allocates with malloc
    if (!name.isEmpty()) {
        resolved += (resolved.endsWith('/') ? QByteArray() : QByteArray("/")) + name;
    }
    struct stat info {};
    return ::stat(resolved.constData(), &info) == 0 ? pathFromNative(resolved) : QString();
}
