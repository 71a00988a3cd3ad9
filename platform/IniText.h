// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The text of an INI file shared with programs that keep it with QSettings, read and changed as
// QSettings reads it: a key may be written plain ("Win Score") or escaped ("Win%20Score"), and a
// ";" outside quotes starts a comment, after a heading or a value too. A change touches only the
// value of one key's line; everything else stays byte for byte.
class IniText {
public:
    explicit IniText(const QByteArray &bytes);

    // The value of the key's last line in the section (the last one counts, as in QSettings), with
    // its quotes and escapes undone.
    std::optional<QString> value(const QString &section, const QString &key) const;
    // Replaces the value of the key's last line, keeping the form of its key, the blanks and the
    // comment around it; a new key goes after the section's last key, in the form the section's keys
    // already use, or in a new section at the end.
    void setValue(const QString &section, const QString &key, const QString &value);

    QByteArray bytes() const;

    // QSettings' escaped form of a key and its reverse.
    static QByteArray escapedKey(const QString &key);
    static QString unescapedKey(const QString &key);

private:
    struct Line {
        QByteArray text; // with its own end (LF, CR LF, CR, or none at the end of the file)
        QString section; // the section it is in, or heads
        QString key;     // unescaped; empty for headings, comments, blank and damaged lines
        bool heading = false;
        qsizetype keyStart = 0, keyEnd = 0, valueStart = 0, valueEnd = 0;
    };
    static Line parse(QByteArray text, const QString &section);
    std::optional<size_t> lastLineOf(const QString &section, const QString &key) const;

    QByteArray m_mark; // a UTF-8 byte-order mark, skipped and kept
    std::vector<Line> m_lines;
};
