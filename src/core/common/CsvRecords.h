#pragma once
// Comma-separated records as spreadsheets write them: fields separated by commas, a field in
// double quotes may hold commas, line breaks and quotes (doubled); records end at CR LF, LF or
// CR alone. A quote inside an unquoted field is taken as it stands.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVector>

namespace zel {

struct CsvRecord {
    int line = 0;       // file line the record starts on, from 1
    QStringList fields; // at least one (an empty line is one empty field)
    QString error;      // why the record is malformed; empty when it is sound

    // Every field empty: an empty line, or ",," as a spreadsheet writes an empty row.
    bool isBlank() const;
};

// Every record of `text`. A quoted field left open runs to the end of the text: that record
// carries the error and is the last.
QVector<CsvRecord> ParseCsvRecords(QStringView text);

// One field as a record holds it: in double quotes (inner quotes doubled) when it holds a
// comma, a quote, a line break or a leading or trailing blank, else as it stands.
QString CsvField(const QString& text);

} // namespace zel
