// SPDX-License-Identifier: MIT
#include "QSettingsStore.h"

#include "IniText.h"
#include "RegularFile.h"

#include <QDir>
#include <climits>
#include <csignal>
#include <ctime>
#include <optional>
#include <sys/file.h>
#include <utility>
#include <vector>

namespace {
// The file's bytes; empty when there is none yet, nullopt when it is nothing we may read or replace:
// no ordinary file, unreadable, over the limit, or not 8-bit text (UTF-16, with or without its mark,
// has NUL bytes, which no INI text has).
std::optional<QByteArray> readFile(const QString &path) {
    if (!isFreeOrRegular(path, QSettingsStore::MaxFileBytes)) {
        return std::nullopt;
    }
    QFile file;
    if (!openRegularFile(file, path)) {
        return errno == ENOENT ? std::optional(QByteArray()) : std::nullopt;
    }
    QByteArray bytes = file.read(QSettingsStore::MaxFileBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > QSettingsStore::MaxFileBytes || bytes.contains('\0') ||
        bytes.startsWith("\xff\xfe") || bytes.startsWith("\xfe\xff")) {
        return std::nullopt;
    }
    return bytes;
}

// The name a link leads to, followed link by link as QSettings does, so that a link stays a link
// even when the file it names is not there yet.
QByteArray linkTarget(QByteArray path) {
    for (int depth = 0; depth < 40; ++depth) {
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            break;
        }
        QByteArray target(qsizetype(PATH_MAX), '\0');
        const ssize_t n = ::readlink(path.constData(), target.data(), size_t(target.size()));
        if (n <= 0 || n >= target.size()) {
            break;
        }
        target.truncate(n);
        path = target.startsWith('/') ? target : path.left(path.lastIndexOf('/') + 1) + target;
    }
    return path;
}

// Writes the bytes beside the file, on disk, and renames them over it, with the old file's owner,
// group and mode. A file its owner may not write is left alone, also by a run as root, whose write
// would otherwise make the file root's and lose the owner's later saves.
bool replaceFile(const QString &path, const QByteArray &bytes) {
    const QByteArray target = linkTarget(nativePath(path));
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && ((old.st_mode & S_IWUSR) == 0 || ::access(target.constData(), W_OK) != 0)) {
        return false;
    }
    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // A new file in a folder of another user (a run as root in the user's home) is that user's.
    struct stat folder {};
    if (!exists && ::geteuid() == 0 && ::stat(target.left(target.lastIndexOf('/') + 1).constData(), &folder) == 0) {
        old.st_uid = folder.st_uid;
        old.st_gid = folder.st_gid;
    }
    bool ok = (!exists && ::geteuid() != 0) || ::fchown(fd, old.st_uid, old.st_gid) == 0 ||
              ::fchown(fd, old.st_uid, gid_t(-1)) == 0 || old.st_uid == ::geteuid();
    ok = ok && (!exists || ::fchmod(fd, old.st_mode & 07777) == 0);
    for (qsizetype done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        ok = n > 0 || (n < 0 && errno == EINTR);
        done += std::max<ssize_t>(n, 0);
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.constData(), target.constData()) == 0;
    if (!ok) {
        ::unlink(temp.constData());
    }
    return ok;
}

// The lock QSettings programs take beside the file, made as QLockFile makes it (created exclusively,
// held with flock, naming its process), so that they wait for our write and we for theirs. A write
// never waits long for it: a lock still held after a moment, or one that is no ordinary file, is
// passed by, and the rename keeps the file whole either way. A lock that no process holds is a
// leftover of a writer that was killed and is removed; nothing else is ever created beside it.
class SharedLock {
public:
    explicit SharedLock(QByteArray name) : m_name(std::move(name)) {
        for (int tries = 0; tries < WaitMs / 5; ++tries) {
            m_fd = ::open(m_name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            if (m_fd >= 0) {
                ::flock(m_fd, LOCK_EX | LOCK_NB);
                const QByteArray owner =
                    QByteArray::number(::getpid()) + '\n' + programName() + '\n' + hostName() + '\n';
                if (::write(m_fd, owner.constData(), size_t(owner.size())) != owner.size()) {
                    release();
                }
                return;
            }
            struct stat info {};
            if (errno != EEXIST || ::lstat(m_name.constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
                return;
            }
            if (!removeIfLeftOver()) {
                ::usleep(5000);
            }
        }
    }
    ~SharedLock() { release(); }
    SharedLock(const SharedLock &) = delete;
    SharedLock &operator=(const SharedLock &) = delete;

private:
    static constexpr int WaitMs = 100;

    void release() {
        if (m_fd >= 0) {
            ::unlink(m_name.constData());
            ::close(m_fd);
            m_fd = -1;
        }
    }

    static QByteArray programName() {
        const QByteArray exe = linkTarget("/proc/self/exe");
        return exe.mid(exe.lastIndexOf('/') + 1);
    }

    static QByteArray hostName() {
        QByteArray name(256, '\0');
        return ::gethostname(name.data(), size_t(name.size() - 1)) == 0 ? QByteArray(name.constData()) : QByteArray();
    }

    // A lock nobody holds with flock, whose process is gone (or, with no process written in it yet,
    // that is older than a second) is removed, the very file looked at and no other.
    bool removeIfLeftOver() const {
        const int fd = ::open(m_name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            return false;
        }
        struct stat held {};
        struct stat named {};
        QByteArray content(64, '\0');
        const ssize_t n = ::flock(fd, LOCK_EX | LOCK_NB) == 0 ? ::read(fd, content.data(), size_t(content.size())) : -1;
        const qint64 pid = n > 0 ? content.left(n).split('\n').value(0).toLongLong() : 0;
        const bool gone = n > 0 ? pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
                                : n == 0 && ::fstat(fd, &held) == 0 && held.st_mtime + 1 < ::time(nullptr);
        const bool removed = gone && ::fstat(fd, &held) == 0 && ::stat(m_name.constData(), &named) == 0 &&
                             held.st_ino == named.st_ino && held.st_dev == named.st_dev &&
                             ::unlink(m_name.constData()) == 0;
        ::close(fd);
        return removed;
    }

    QByteArray m_name;
    int m_fd = -1;
};
} // namespace

QSettingsStore::QSettingsStore() : QSettingsStore(defaultFolder()) {}

QSettingsStore::QSettingsStore(QString folder) : m_folder(std::move(folder)) {}

QString QSettingsStore::defaultFolder() {
    // A relative XDG_CONFIG_HOME is ignored, as the XDG rules ask: it would give each working
    // folder settings of its own.
    const QByteArray config = qgetenv("XDG_CONFIG_HOME");
    if (config.startsWith('/')) {
        return pathFromNative(config);
    }
    const QByteArray home = qgetenv("HOME");
    return (home.startsWith('/') ? pathFromNative(home) : QDir::homePath()) + QStringLiteral("/.config");
}

QString QSettingsStore::fileFor(const QString &app) const { return m_folder + u'/' + app + QStringLiteral(".ini"); }

QString QSettingsStore::read(const QString &app, const QString &section, const QString &key,
                             const QString &defaultValue) {
    // Whatever could be read is used; the rest falls back to its default.
    const std::optional<QByteArray> text = readFile(fileFor(app));
    return IniText(text.value_or(QByteArray())).value(section, key).value_or(defaultValue);
}

void QSettingsStore::write(const QString &app, const QString &section, const QString &key, const QString &value) {
    if (m_batchDepth > 0) {
        m_pending[app].push_back({section, key, value});
    } else {
        save(app, {{section, key, value}});
    }
}

void QSettingsStore::beginWrites() { ++m_batchDepth; }

void QSettingsStore::endWrites() {
    if (m_batchDepth > 0 && --m_batchDepth == 0) {
        auto pending = std::exchange(m_pending, {});
        for (const auto &[app, values] : pending) {
            save(app, values);
        }
    }
}

void QSettingsStore::save(const QString &app, const std::vector<Value> &values) {
    if (!isFreeOrRegular(fileFor(app) + QStringLiteral(".lock"), MaxFileBytes)) {
        return; // lost, as a write to a read-only file is
    }
    const QByteArray folder = nativePath(m_folder);
    for (qsizetype slash = folder.indexOf('/', 1); slash >= 0; slash = folder.indexOf('/', slash + 1)) {
        ::mkdir(folder.left(slash).constData(), 0700);
    }
    ::mkdir(folder.constData(), 0700); // a missing configuration folder
    const SharedLock lock(nativePath(fileFor(app) + QStringLiteral(".lock")));
    const std::optional<QByteArray> bytes = readFile(fileFor(app));
    if (!bytes) {
        return; // not ours to replace: it stays as it was
    }
    IniText text(*bytes);
    for (const Value &v : values) {
        text.setValue(v.section, v.key, v.value);
    }
    // Never a file the next start would refuse: the old one stays, and these values are lost.
    if (const QByteArray out = text.bytes(); out.size() <= MaxFileBytes) {
        replaceFile(fileFor(app), out);
    }
}
