// SPDX-License-Identifier: MIT
#include "QSettingsStore.h"

#include "RegularFile.h"

#include <QFileInfo>
#include <QIODevice>
#include <QLockFile>
#include <QStandardPaths>
#include <map>
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
// QSettings reads the whole file before a read and before a write. Ours holds a few hundred bytes and
// a hand-edited path at most some thousands; a larger file is no store of ours and is left alone.
constexpr qint64 MaxFileBytes = 1 << 20;
} // namespace

QSettingsStore::QSettingsStore() : QSettingsStore(defaultFolder()) {}

QSettingsStore::QSettingsStore(QString folder) : m_folder(std::move(folder)) {}

QString QSettingsStore::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

QString QSettingsStore::fileFor(const QString &app) const { return m_folder + u'/' + app + QStringLiteral(".ini"); }

QSettings::Format QSettingsStore::format() {
    // Qt's own IniFormat would write "Winning%20Score" and read "a,b" back as a list;
    // this format keeps QSettings' locking and atomic file replacement and changes only the text.
    static const QSettings::Format registered = QSettings::registerFormat(
        QStringLiteral("ini"), &QSettingsStore::readIni, &QSettingsStore::writeIni, Qt::CaseSensitive);
    return registered;
}

bool QSettingsStore::readIni(QIODevice &device, QSettings::SettingsMap &map) {
    QString text = QString::fromUtf8(device.readAll());
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    QString section;
    for (const QStringView rawLine : QStringView(text).split(u'\n')) {
        const QString line = rawLine.trimmed().toString();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) {
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0) {
            // Not a setting: a damaged line costs only itself.
            continue;
        }
        const QString key = line.left(equals).trimmed();
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.startsWith(u'"') && value.endsWith(u'"')) {
            value = unquoted(value);
        }
        map.insert(section.isEmpty() ? key : section + u'/' + key, value);
    }
    // Whatever could be read is used; the rest falls back to its default.
    return true;
}

bool QSettingsStore::writeIni(QIODevice &device, const QSettings::SettingsMap &map) {
    // Keys without a section first, as INI readers expect them before any [section].
    std::map<QString, std::vector<std::pair<QString, QString>>> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        const QString section = slash < 0 ? QString() : it.key().left(slash);
        const QString key = slash < 0 ? it.key() : it.key().mid(slash + 1);
        sections[section].emplace_back(key, it.value().toString());
    }
    QString out;
    for (const auto &[section, entries] : sections) {
        if (!section.isEmpty()) {
            if (!out.isEmpty()) {
                out += u'\n';
            }
            out += u'[' + section + QStringLiteral("]\n");
        }
        for (const auto &[key, value] : entries) {
            out += key + u'=' + (needsQuotes(value) ? quoted(value) : value) + u'\n';
        }
    }
    const QByteArray bytes = out.toUtf8();
    return device.write(bytes) == bytes.size();
}

QString QSettingsStore::read(const QString &app, const QString &section, const QString &key,
                             const QString &defaultValue) {
    const QString path = section + u'/' + key;
    if (const auto pending = m_pending.find(app); pending != m_pending.end()) {
        for (auto it = pending->second.crbegin(); it != pending->second.crend(); ++it) {
            if (it->first == path) {
                return it->second;
            }
        }
    }
    // QSettings opens whatever has the name, and a FIFO there would hold start-up forever.
    if (!isFreeOrRegular(fileFor(app), MaxFileBytes)) {
        return defaultValue;
    }
    const QSettings settings(fileFor(app), format());
    const QVariant value = settings.value(path);
    return value.isValid() ? value.toString() : defaultValue;
}

void QSettingsStore::write(const QString &app, const QString &section, const QString &key, const QString &value) {
    if (m_batchDepth > 0) {
        m_pending[app].emplace_back(section + u'/' + key, value);
    } else {
        save(app, {{section + u'/' + key, value}});
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

void QSettingsStore::save(const QString &app, const std::vector<std::pair<QString, QString>> &values) {
    // A writer killed right after creating its lock file leaves one with no owner written in
    // it, and QSettings waits 30 s before it calls such a lock stale. Writes take milliseconds,
    // so a lock older than a second is a leftover.
    const QString lockName = fileFor(app) + QStringLiteral(".lock");
    if (!isFreeOrRegular(fileFor(app), MaxFileBytes) || !isFreeOrRegular(lockName, MaxFileBytes)) {
        return; // lost, as a write to a read-only file is: both are read before the new file is written
    }
    if (QFileInfo::exists(lockName)) {
        QLockFile leftover(lockName);
        leftover.setStaleLockTime(1000);
        if (leftover.tryLock(3000)) {
            leftover.unlock();
        }
    }
    QSettings settings(fileFor(app), format());
    // No writing in place when the folder refuses a new file: a failed write keeps the old file.
    settings.setAtomicSyncRequired(true);
    for (const auto &[path, value] : values) {
        settings.setValue(path, value);
    }
    // One new file for all of them, on disk before this returns.
    settings.sync();
}
