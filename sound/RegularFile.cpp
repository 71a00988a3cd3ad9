// SPDX-License-Identifier: MIT
#include "RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool openRegular(QFile &file, const QString &name) {
    if (name.isEmpty()) {
        return false;
    }
    if (name.startsWith(QLatin1Char(':'))) {
        file.setFileName(name);
        return file.open(QIODevice::ReadOnly);
    }
    // Without O_NONBLOCK the open itself waits for a FIFO's writer; on a regular file it changes nothing.
    const int fd = ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFile::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}
