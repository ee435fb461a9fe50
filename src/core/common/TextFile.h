#pragma once
// The Japanese text files (.ttl, .trf, .rsl, .log): CP932, lines split on CR LF or LF when
// read, CR LF when written. Writes go through QSaveFile so a failed save keeps the old file.
#include <QString>
#include <QStringList>

namespace zel {

struct TextFileRead {
    bool ok = false;   // false: file missing, unreadable or not CP932
    QString error;     // why, for a log or stderr
    QStringList lines; // without line ends; a final empty line after the last CR LF is dropped
};

TextFileRead ReadTextFile(const QString& path);

// Writes every line followed by CR LF. False (with `error`) when the file cannot be written
// or a character has no CP932 form; the old file is then untouched.
bool WriteTextFile(const QString& path, const QStringList& lines, QString* error = nullptr);

} // namespace zel
