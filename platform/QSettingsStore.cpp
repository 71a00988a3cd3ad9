// SPDX-License-Identifier: MIT
#include "QSettingsStore.h"

#include "RegularFile.h"

#include <QDir>
#include <QLockFile>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

namespace {
bool needsQuotes(const QString &value) {
    if (value.isEmpty()) {
        return false;
    }
    if (value.front().isSpace() || value.back().isSpace() || value.front() == u'"') {
        return true;
    }
    for (const QChar c : value) {
        if (c.unicode() < 0x20 || c == u'\\') {
            return true;
        }
    }
    return false;
}

QString quoted(const QString &value) {
    QString out = QStringLiteral("\"");
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20) {
                out += QStringLiteral("\\x%1").arg(static_cast<int>(c.unicode()), 2, 16, QChar(u'0'));
            } else {
                out += c;
            }
        }
    }
    return out + u'"';
}

// The reverse of quoted(); an escape it does not know is kept as it stands.
QString unquoted(const QString &text) {
    QString out;
    for (qsizetype i = 1; i + 1 < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 2 >= text.size()) {
            out += c;
            continue;
        }
        const QChar next = text.at(i + 1);
        bool ok = true;
        if (next == u'\\' || next == u'"') {
            out += next;
        } else if (next == u'n') {
            out += u'\n';
        } else if (next == u'r') {
            out += u'\r';
        } else if (next == u't') {
            out += u'\t';
        } else if (next == u'x' && i + 4 < text.size()) {
            const int code = text.mid(i + 2, 2).toInt(&ok, 16);
            if (ok) {
                out += QChar(code);
                i += 2;
            }
        } else {
            ok = false;
        }
        if (ok) {
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

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

// The lines, each with its own end (LF, CR LF, CR, or none at the end of the file), after a UTF-8
// byte-order mark, which is the first "line".
std::vector<QByteArray> splitLines(const QByteArray &text) {
    std::vector<QByteArray> lines;
    qsizetype start = text.startsWith("\xef\xbb\xbf") ? 3 : 0;
    lines.push_back(text.left(start));
    for (qsizetype i = start; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
            lines.push_back(text.mid(start, i + 1 - start));
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.mid(start));
    }
    return lines;
}

QByteArray withoutEnd(const QByteArray &line) {
    qsizetype end = line.size();
    while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r')) {
        --end;
    }
    return line.left(end);
}

// Walks the lines of the file: for each, the section it is in, and its key and value when it is a
// setting. Blank lines, comments (; and #) and damaged lines have no key.
template <typename Visit> void eachLine(const std::vector<QByteArray> &lines, Visit visit) {
    QString section;
    for (size_t i = 1; i < lines.size(); ++i) {
        const QByteArray line = withoutEnd(lines[i]).trimmed();
        const qsizetype equals = line.indexOf('=');
        if (line.startsWith('[') && line.endsWith(']')) {
            section = pathFromNative(line.mid(1, line.size() - 2).trimmed());
            visit(i, section, QString(), QByteArray());
        } else if (line.startsWith(';') || line.startsWith('#') || equals <= 0) {
            visit(i, section, QString(), QByteArray());
        } else {
            visit(i, section, pathFromNative(line.left(equals).trimmed()), line.mid(equals + 1).trimmed());
        }
    }
}

// Writes the bytes beside the file, on disk, and renames them over it. A link stays a link: the
// file it names is the one replaced.
bool replaceFile(const QString &path, const QByteArray &bytes) {
    QByteArray target = nativePath(path);
    if (char *real = ::realpath(target.constData(), nullptr)) {
        target = real;
        std::free(real); // NOLINT(cppcoreguidelines-no-malloc): realpath() allocates with malloc
    }
    // A read-only file stays as it is, though its folder would take a new one; marked so by its user, it
    // stays so also for root, whom access() lets write anything.
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && (::access(target.constData(), W_OK) != 0 || (old.st_mode & 0222) == 0)) {
        return false;
    }
    QByteArray temp = target + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    bool ok = !exists || ::fchmod(fd, old.st_mode & 07777) == 0;
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
    // Whatever could be read is used; the rest falls back to its default. The last of a key counts.
    const std::optional<QByteArray> text = readFile(fileFor(app));
    std::optional<QByteArray> found;
    eachLine(splitLines(text.value_or(QByteArray())),
             [&](size_t, const QString &s, const QString &k, const QByteArray &v) {
                 if (s == section && k == key) {
                     found = v;
                 }
             });
    if (!found) {
        return defaultValue;
    }
    const QString value = pathFromNative(*found);
    return value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"') ? unquoted(value) : value;
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
    // Programs that keep the file with QSettings take this lock too. A writer killed right after
    // creating its lock file leaves one with no owner written in it; writes take milliseconds, so a
    // lock older than a second is a leftover. A lock Qt cannot name is skipped.
    const QString lockName = fileFor(app) + QStringLiteral(".lock");
    if (!isFreeOrRegular(lockName, MaxFileBytes)) {
        return; // lost, as a write to a read-only file is
    }
    const QByteArray folder = nativePath(m_folder);
    for (qsizetype slash = folder.indexOf('/', 1); slash >= 0; slash = folder.indexOf('/', slash + 1)) {
        ::mkdir(folder.left(slash).constData(), 0700);
    }
    ::mkdir(folder.constData(), 0700); // a missing configuration folder
    QLockFile lock(lockName);
    lock.setStaleLockTime(1000);
    if (QFile::encodeName(lockName) == nativePath(lockName)) {
        lock.tryLock(3000);
    }
    const std::optional<QByteArray> text = readFile(fileFor(app));
    if (!text) {
        return; // not ours to replace: it stays as it was
    }
    std::vector<QByteArray> lines = splitLines(*text);
    QByteArray lineEnd = "\n"; // the file's own, for the lines added
    for (size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].endsWith('\n') || lines[i].endsWith('\r')) {
            lineEnd = lines[i].mid(withoutEnd(lines[i]).size());
            break;
        }
    }
    const auto ended = [&](size_t i) {
        if (i > 0 && withoutEnd(lines[i]) == lines[i]) {
            lines[i] += lineEnd;
        }
    };
    for (const Value &v : values) {
        const QString &section = v.section, &key = v.key, &value = v.value;
        const QByteArray line = nativePath(key + u'=' + (needsQuotes(value) ? quoted(value) : value));
        size_t keyLine = 0, sectionEnd = 0;
        eachLine(lines, [&](size_t i, const QString &s, const QString &k, const QByteArray &) {
            if (s == section) { // added after the section's last key, or its heading
                keyLine = k == key ? i : keyLine;
                const bool heading = withoutEnd(lines[i]).trimmed().startsWith('[');
                sectionEnd = heading || !k.isEmpty() ? i : sectionEnd;
            }
        });
        if (keyLine > 0) {
            lines[keyLine] = line + lines[keyLine].mid(withoutEnd(lines[keyLine]).size());
        } else if (sectionEnd > 0) {
            ended(sectionEnd);
            lines.insert(std::next(lines.begin(), std::ptrdiff_t(sectionEnd) + 1), line + lineEnd);
        } else {
            ended(lines.size() - 1);
            if (lines.size() > 1) {
                lines.push_back(lineEnd);
            }
            lines.push_back('[' + nativePath(section) + ']' + lineEnd);
            lines.push_back(line + lineEnd);
        }
    }
    QByteArray out;
    for (const QByteArray &line : lines) {
        out += line;
    }
    // Never a file the next start would refuse: the old one stays, and these values are lost.
    if (out.size() <= MaxFileBytes) {
        replaceFile(fileFor(app), out);
    }
}
