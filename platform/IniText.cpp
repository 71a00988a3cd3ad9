// SPDX-License-Identifier: MIT
#include "IniText.h"

#include "RegularFile.h"

#include <algorithm>

namespace {
bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// Quoted as QSettings quotes: values it would read otherwise (a list at a comma, a comment at a
// semicolon, blanks lost at either end) and values with control characters or backslashes.
bool needsQuotes(const QString &value) {
    if (value.isEmpty()) {
        return false;
    }
    if (value.front().isSpace() || value.back().isSpace()) {
        return true;
    }
    return std::any_of(value.begin(), value.end(), [](QChar c) {
        return c.unicode() < 0x20 || c == u'\\' || c == u'"' || c == u';' || c == u',' || c == u'=';
    });
}

bool isHexDigit(QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

// Escaped as QSettings reads it: a \x escape takes every hex digit after it, so a digit that follows
// one is escaped too.
QString quoted(const QString &value) {
    QString out = QStringLiteral("\"");
    bool afterHex = false;
    for (const QChar c : value) {
        const bool hex = c.unicode() < 0x20 && c != u'\n' && c != u'\r' && c != u'\t';
        if (hex || (afterHex && isHexDigit(c))) {
            out += QStringLiteral("\\x%1").arg(static_cast<int>(c.unicode()), 2, 16, QChar(u'0'));
        } else if (c == u'\\' || c == u'"') {
            out += u'\\' + QString(c);
        } else {
            out += c == u'\n'   ? QStringLiteral("\\n")
                   : c == u'\r' ? QStringLiteral("\\r")
                   : c == u'\t' ? QStringLiteral("\\t")
                                : QString(c);
        }
        afterHex = hex || (afterHex && isHexDigit(c));
    }
    return out + u'"';
}

// A value as QSettings reads it: quotes dropped, escapes undone inside and outside them. A comma
// stays a comma: the game's own older files hold paths with commas unquoted.
QString unescapedValue(const QString &text) {
    static const QString simple = QStringLiteral("a\ab\bf\fn\nr\rt\tv\v\"\"''\\\\??");
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'"') {
            continue;
        }
        if (c != u'\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text.at(++i);
        const qsizetype known = simple.indexOf(next);
        if (known >= 0 && known % 2 == 0) {
            out += simple.at(known + 1);
            continue;
        }
        const bool hex = next == u'x';
        const int base = hex ? 16 : 8;
        qsizetype end = hex ? i + 1 : i;
        while (end < text.size() && (hex ? isHexDigit(text.at(end)) : text.at(end) >= u'0' && text.at(end) <= u'7')) {
            ++end;
        }
        const qsizetype start = hex ? i + 1 : i;
        if (end > start) {
            out += QChar(char16_t(text.mid(start, end - start).toUInt(nullptr, base)));
            i = end - 1;
        } else {
            out += next;
        }
    }
    return out;
}

QByteArray withoutEnd(const QByteArray &line) {
    qsizetype end = line.size();
    while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r')) {
        --end;
    }
    return line.left(end);
}
} // namespace

IniText::IniText(const QByteArray &bytes) {
    qsizetype start = bytes.startsWith("\xef\xbb\xbf") ? 3 : 0;
    m_mark = bytes.left(start);
    QString section;
    const auto add = [&](qsizetype end) {
        m_lines.push_back(parse(bytes.mid(start, end - start), section));
        section = m_lines.back().section;
        start = end;
    };
    for (qsizetype i = start; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || bytes[i] == '\r') {
            i += bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n' ? 1 : 0;
            add(i + 1);
        }
    }
    if (start < bytes.size()) {
        add(bytes.size());
    }
}

IniText::Line IniText::parse(QByteArray text, const QString &section) {
    Line line{std::move(text), section, {}};
    const QByteArray &t = line.text;
    const qsizetype end = withoutEnd(t).size();
    qsizetype start = 0;
    while (start < end && isBlank(t[start])) {
        ++start;
    }
    // What comes before a ";" outside quotes; a backslash takes the byte after it along.
    qsizetype stop = end;
    bool inQuotes = false;
    for (qsizetype i = start; i < end; ++i) {
        if (t[i] == '\\') {
            ++i;
        } else if (t[i] == '"') {
            inQuotes = !inQuotes;
        } else if (t[i] == ';' && !inQuotes) {
            stop = i;
            break;
        }
    }
    while (stop > start && isBlank(t[stop - 1])) {
        --stop;
    }
    const QByteArray content = t.mid(start, stop - start);
    if (content.startsWith('[') && content.endsWith(']')) {
        line.section = unescapedKey(pathFromNative(content.mid(1, content.size() - 2).trimmed()));
        line.heading = true;
        return line;
    }
    const qsizetype equals = content.indexOf('=');
    if (content.startsWith('#') || equals <= 0) {
        return line;
    }
    line.keyStart = start;
    line.keyEnd = start + equals;
    while (isBlank(t[line.keyEnd - 1])) {
        --line.keyEnd;
    }
    line.key = unescapedKey(pathFromNative(t.mid(line.keyStart, line.keyEnd - line.keyStart)));
    line.valueStart = start + equals + 1;
    while (line.valueStart < stop && isBlank(t[line.valueStart])) {
        ++line.valueStart;
    }
    line.valueEnd = std::max(stop, line.valueStart);
    return line;
}

std::optional<size_t> IniText::lastLineOf(const QString &section, const QString &key) const {
    for (size_t i = m_lines.size(); i-- > 0;) {
        if (m_lines[i].section == section && m_lines[i].key == key && !key.isEmpty()) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<QString> IniText::value(const QString &section, const QString &key) const {
    const std::optional<size_t> i = lastLineOf(section, key);
    if (!i) {
        return std::nullopt;
    }
    const Line &line = m_lines[*i];
    return unescapedValue(pathFromNative(line.text.mid(line.valueStart, line.valueEnd - line.valueStart)));
}

void IniText::setValue(const QString &section, const QString &key, const QString &value) {
    const QByteArray written = nativePath(needsQuotes(value) ? quoted(value) : value);
    if (const std::optional<size_t> i = lastLineOf(section, key)) {
        Line &line = m_lines[*i];
        line.text = line.text.left(line.valueStart) + written + line.text.mid(line.valueEnd);
        line.valueEnd = line.valueStart + written.size();
        return;
    }
    QByteArray lineEnd = "\n"; // the file's own, for the lines added
    const auto ended = std::find_if(m_lines.begin(), m_lines.end(),
                                    [](const Line &l) { return withoutEnd(l.text).size() < l.text.size(); });
    if (ended != m_lines.end()) {
        lineEnd = ended->text.mid(withoutEnd(ended->text).size());
    }
    const auto endLine = [&](size_t i) {
        if (withoutEnd(m_lines[i].text).size() == m_lines[i].text.size()) {
            m_lines[i].text += lineEnd;
        }
    };
    // After the section's last key, or its heading; escaped when the section's keys are.
    std::optional<size_t> after;
    bool escaped = false;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        const Line &l = m_lines[i];
        if (l.section == section && (l.heading || !l.key.isEmpty())) {
            after = i;
            escaped = escaped || l.text.mid(l.keyStart, l.keyEnd - l.keyStart).contains('%');
        }
    }
    const QByteArray text = (escaped ? escapedKey(key) : nativePath(key)) + '=' + written + lineEnd;
    if (after) {
        endLine(*after);
        m_lines.insert(std::next(m_lines.begin(), std::ptrdiff_t(*after) + 1), parse(text, section));
        return;
    }
    if (!m_lines.empty()) {
        endLine(m_lines.size() - 1);
        m_lines.push_back(parse(lineEnd, m_lines.back().section));
    }
    m_lines.push_back(parse('[' + escapedKey(section) + ']' + lineEnd, section));
    m_lines.push_back(parse(text, section));
}

QByteArray IniText::bytes() const {
    QByteArray out = m_mark;
    for (const Line &line : m_lines) {
        out += line.text;
    }
    return out;
}

QByteArray IniText::escapedKey(const QString &key) {
    QByteArray out;
    for (const QChar c : key) {
        const char16_t u = c.unicode();
        if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' || u == '-' ||
            u == '.') {
            out += char(u);
        } else if (u == '/') {
            out += '\\';
        } else if (u <= 0xff) {
            out += '%' + QByteArray::number(u, 16).toUpper().rightJustified(2, '0');
        } else {
            out += "%U" + QByteArray::number(u, 16).toUpper().rightJustified(4, '0');
        }
    }
    return out;
}

QString IniText::unescapedKey(const QString &key) {
    QString out;
    for (qsizetype i = 0; i < key.size(); ++i) {
        const QChar c = key.at(i);
        if (c == u'\\') {
            out += u'/';
            continue;
        }
        const qsizetype digits = i + 1 < key.size() && key.at(i + 1) == u'U' ? 4 : 2;
        const qsizetype first = i + 1 + (digits == 4 ? 1 : 0);
        bool ok = false;
        const ushort code = c == u'%' && first + digits <= key.size() ? key.mid(first, digits).toUShort(&ok, 16) : 0;
        if (ok) {
            out += QChar(code);
            i = first + digits - 1;
        } else {
            out += c;
        }
    }
    return out;
}
