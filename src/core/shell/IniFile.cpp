#include "IniFile.h"

#include "common/FileBytes.h"
#include "common/TextLines.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QVector>

namespace zel {

namespace {

QString lineText(const QByteArray& content, const LineSpan& line) {
    return QString::fromLatin1(content.constData() + line.start, line.length);
}

// Section name of a "[name]" line, or std::nullopt for any other line.
std::optional<QString> sectionName(const QString& text) {
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
    if (close < 0)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

bool isComment(const QString& text) {
    return text.trimmed().startsWith(QLatin1Char(';'));
}

// Key of a "key=value" line, or std::nullopt.
std::optional<QString> keyName(const QString& text) {
    if (isComment(text) || sectionName(text))
        return std::nullopt;
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    if (eq < 0)
        return std::nullopt;
    return text.left(eq).trimmed();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString unquoted(const QString& value) {
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == QLatin1Char('"') || first == QLatin1Char('\'')) && value.back() == first)
            return value.mid(1, value.size() - 2);
    }
    return value;
}

struct SectionSpan {
    int header = -1;      // line index of "[section]", -1 when missing
    int lastContent = -1; // last non-blank line of the section (the header when none)
    int keyLine = -1;     // line of the key, -1 when missing
};

SectionSpan findKey(const QByteArray& content, const QVector<LineSpan>& lines,
                    const QString& section, const QString& key) {
    SectionSpan span;
    bool inside = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString text = lineText(content, lines[i]);
        if (const auto name = sectionName(text)) {
            if (inside)
                break; // the first matching section is the one used
            inside = sameName(*name, section);
            if (inside)
                span.header = span.lastContent = i;
            continue;
        }
        if (!inside)
            continue;
        if (!text.trimmed().isEmpty())
            span.lastContent = i;
        const auto name = keyName(text);
        if (name && sameName(*name, key)) {
            span.keyLine = i;
            break;
        }
    }
    return span;
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {}

bool IniFile::load() {
    FileBytes file = ReadFileBytes(m_path, kMaxFileBytes);
    setContent(std::move(file.bytes));
    return file.ok();
}

void IniFile::setContent(QByteArray content) {
    m_content = std::move(content);
    m_lines = FindLineSpans(m_content);
}

std::optional<QString> IniFile::value(const QString& section, const QString& key) const {
    const SectionSpan span = findKey(m_content, m_lines, section, key);
    if (span.keyLine < 0)
        return std::nullopt;
    const QString text = lineText(m_content, m_lines[span.keyLine]);
    return unquoted(text.mid(text.indexOf(QLatin1Char('=')) + 1).trimmed());
}

QByteArray IniFile::withValue(const QByteArray& content, const QString& section, const QString& key,
                              const QString& value) {
    const QVector<LineSpan> lines = FindLineSpans(content);
    const SectionSpan span = findKey(content, lines, section, key);
    const QByteArray eol = LineEndOf(content);
    QByteArray result = content;
    if (span.keyLine >= 0) {
        // Keep the key as the file spells it and the line's own line end.
        const LineSpan& line = lines[span.keyLine];
        const QString text = lineText(content, line);
        const QString keyPart = text.left(text.indexOf(QLatin1Char('=')));
        const QByteArray newLine = (keyPart.trimmed() + QLatin1Char('=') + value).toLatin1();
        result.replace(line.start, line.length, newLine);
        return result;
    }
    const QByteArray keyLine = (key + QLatin1Char('=') + value).toLatin1();
    if (span.header >= 0) {
        const LineSpan& after = lines[span.lastContent];
        QByteArray insert = keyLine + eol;
        if (after.end == after.start + after.length) // last line without a line end
            insert = eol + keyLine;
        result.insert(after.end, insert);
        return result;
    }
    if (!result.isEmpty() && !result.endsWith('\n'))
        result += eol;
    result += (QLatin1Char('[') + section + QLatin1Char(']')).toLatin1() + eol + keyLine + eol;
    return result;
}

bool IniFile::writeValue(const QString& section, const QString& key, const QString& value) {
    QByteArray current;
    if (QFileInfo::exists(m_path)) {
        FileBytes existing = ReadFileBytes(m_path, kMaxFileBytes);
        if (!existing.ok())
            return false;
        current = std::move(existing.bytes);
    }
    // A value is one line: a line break in it would forge other keys.
    QString oneLine = value;
    oneLine.remove(QLatin1Char('\r')).remove(QLatin1Char('\n'));
    const QByteArray updated = withValue(current, section, key, oneLine);
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(updated) != updated.size() || !file.commit())
        return false;
    setContent(updated);
    return true;
}

} // namespace zel
