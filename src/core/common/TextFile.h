#pragma once
// The Japanese text files (.ttl, .trf, .rsl, .log): CP932, lines split on CR LF, LF or CR
// alone when read, CR LF when written. Writes go through QSaveFile so a failed save keeps the
// old file.
#include "FileBytes.h"

#include <QString>
#include <QStringList>

namespace zel {

// Far above any text file the program writes or reads (the largest, a full log, is a few
// hundred kilobytes); readers of smaller formats pass their own limit.
constexpr qint64 kTextFileMaxBytes = 16 * 1024 * 1024;

struct TextFileRead {
    bool ok = false; // false: see `problem`
    FileProblem problem = FileProblem::None;
    QString error;     // why, in English, for a log or stderr
    QStringList lines; // without line ends; a final line end adds no empty line
};

// Reads a regular file of at most `maxBytes` bytes. Refused as not text: bytes that are not
// CP932, control bytes other than tab, line ends, form feed and the end-of-file mark, and
// UTF-8 text (which CP932 would otherwise read as garbage).
TextFileRead ReadTextFile(const QString& path, qint64 maxBytes = kTextFileMaxBytes);
// The same checks and line split on bytes already read.
TextFileRead DecodeTextFile(const QByteArray& bytes);

// Whether `bytes` can be the content of a CP932 text file (see ReadTextFile).
bool LooksLikeCp932Text(const QByteArray& bytes);

// Writes every line followed by CR LF. False (with `error`) when the file cannot be written
// or a character has no CP932 form; the old file is then untouched.
bool WriteTextFile(const QString& path, const QStringList& lines, QString* error = nullptr);

} // namespace zel
