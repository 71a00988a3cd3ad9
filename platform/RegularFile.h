// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Opens a file for reading only when it is an ordinary file. The open itself never waits: a FIFO
// without a writer blocks a plain open(), and a device or a socket has no end to read to, so each
// of them is refused as a missing file is. Resource names (":/...") open as any QFile.
inline bool openRegularFile(QFile &file, const QString &path) {
    if (path.isEmpty()) {
        return false;
    }
    if (path.startsWith(u':')) {
        file.setFileName(path);
        return file.open(QIODevice::ReadOnly);
    }
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

// True for a name that is free or names an ordinary file of at most maxBytes (a link to one counts),
// found without opening it.
inline bool isFreeOrRegular(const QString &path, qint64 maxBytes) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return errno == ENOENT;
    }
    return S_ISREG(info.st_mode) && info.st_size <= maxBytes;
}
