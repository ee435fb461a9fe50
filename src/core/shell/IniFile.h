#pragma once
// A sections-and-keys profile file, read and written the way the Windows profile functions
// do: section and key names match without regard to case, values are trimmed, comment lines
// start with ';', lines end in CR LF, LF or CR alone. A write changes only the line of its key
// (or appends the missing key or section) and leaves every other byte of the file as it was.
#include "common/TextLines.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace zel {

class IniFile {
public:
    // A settings file is a few hundred bytes; anything this large is not one.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    explicit IniFile(QString path);

    const QString& path() const { return m_path; }

    // Reads the file from disk; false (then empty) when it is missing, unreadable, not a
    // regular file or larger than kMaxFileBytes.
    bool load();
    // Takes `content` as if it had been loaded from the file.
    void setContent(QByteArray content);

    // Value of `key` in `section` of the loaded content, trimmed, with one pair of enclosing
    // quotes removed; std::nullopt when the section or key is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Writes `key`=`value` into `section` of the file on disk (created when missing).
    // False when the file cannot be written; the old file is then untouched.
    bool writeValue(const QString& section, const QString& key, const QString& value);

    // The same edit on a content in memory (used by writeValue).
    static QByteArray withValue(const QByteArray& content, const QString& section,
                                const QString& key, const QString& value);

private:
    QString m_path;
    QByteArray m_content;
    QVector<LineSpan> m_lines; // of m_content
};

} // namespace zel
