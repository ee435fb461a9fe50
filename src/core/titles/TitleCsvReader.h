#pragma once
// Reading titles back from comma-separated text (the layout of TitleCsvWriter.h) as a
// spreadsheet may have saved it: rows in any order or missing (a missing title is blank), LF
// or CR LF, with or without a byte-order mark, every field quoted or none, empty rows, and
// Shift-JIS where the text is not UTF-8. Every row is checked with the title rules; the
// document is only good when no row is bad.
#include "TitleDocument.h"

#include <QByteArray>
#include <QString>
#include <QVector>

namespace zel {

class TitleCharTable;

struct TitleCsvProblem {
    int line = 0; // file line, from 1
    QString reason;
    QString text() const; // "LINE: reason"
};

struct TitleCsvImport {
    TitleDocument document;
    // Every bad row in file order; empty when the document holds the file's titles.
    QVector<TitleCsvProblem> problems;
    // Not a title CSV at all (binary, another column layout): one problem, no row was read.
    bool refused = false;
    bool ok() const { return problems.isEmpty(); }
};

// Far above the largest title CSV (about 6 kB); anything larger is not one.
constexpr qint64 kTitleCsvMaxBytes = 1024 * 1024;

// Titles are checked against `table`: length, characters, the number range of their
// category, duplicates and unknown categories. #REMOTE 1..99 and #CAMERA 1..255 are
// optional ("1" when missing) but must come before the header row.
TitleCsvImport ReadTitleCsv(const QByteArray& bytes, const TitleCharTable& table);

} // namespace zel
