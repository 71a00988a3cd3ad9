// SPDX-License-Identifier: MIT
#pragma once

#include <QFile>
#include <QString>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Linux names are bytes, and Qt's own conversion turns each byte that is not UTF-8 into U+FFFD for
// good. Here such a byte travels as a lone surrogate U+DC80..U+DCFF instead, so any name read from
// the system comes back to it as the same bytes; a name that is UTF-8 reads as Qt reads it.
inline QString pathFromNative(const QByteArray &bytes) {
    QString out;
    out.reserve(bytes.size());
    const auto *b = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned lead = b[i];
        const int extra = lead < 0x80                   ? 0
                          : lead >= 0xc2 && lead < 0xe0 ? 1
                          : lead >= 0xe0 && lead < 0xf0 ? 2
                          : lead >= 0xf0 && lead < 0xf5 ? 3
                                                        : -1;
        char32_t code = extra <= 0 ? lead : lead & (0x3fU >> extra);
        bool valid = extra >= 0 && i + extra < n;
        for (int k = 1; valid && k <= extra; ++k) {
            valid = (b[i + k] & 0xc0) == 0x80;
            code = (code << 6) | (b[i + k] & 0x3f);
        }
        // Overlong forms, UTF-16 surrogates and values past U+10FFFF are not UTF-8 either.
        valid = valid && !(extra == 2 && (code < 0x800 || (code >= 0xd800 && code < 0xe000))) &&
                !(extra == 3 && (code < 0x10000 || code > 0x10ffff));
        if (!valid) {
            out += QChar(char16_t(0xdc00 + lead));
            ++i;
        } else {
            out += QString::fromUcs4(&code, 1);
            i += extra + 1;
        }
    }
    return out;
}

// The reverse of pathFromNative().
inline QByteArray nativePath(const QString &path) {
    QByteArray out;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= path.size(); ++i) {
        const bool escaped = i < path.size() && path.at(i).unicode() >= 0xdc80 && path.at(i).unicode() <= 0xdcff &&
                             (i == 0 || !path.at(i - 1).isHighSurrogate());
        if (escaped || i == path.size()) {
            out += QStringView(path).sliced(start, i - start).toUtf8();
            if (escaped) {
                out += char(path.at(i).unicode() - 0xdc00);
            }
            start = i + 1;
        }
    }
    return out;
}

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
    const int fd = ::open(nativePath(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
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
    if (::stat(nativePath(path).constData(), &info) != 0) {
        return errno == ENOENT;
    }
    return S_ISREG(info.st_mode) && info.st_size <= maxBytes;
}
