#pragma once
// Checks of values read from the test, title and log files, and the two line splitters their
// readers share.
#include <QString>

namespace zel {

class LanguageTables;
class MessageSink;

// Field kinds of CheckFileField.
enum FileFieldKind {
    FieldWriteReadLetter = 0,
    FieldTestRowData = 1,
    FieldRemoteNo = 2,
    FieldTestCameraNo = 3,
    FieldContinuousCheck = 4,
    FieldContinuousInterval = 5,
    FieldFreeFormatCheck = 6,
    FieldAnything = 7,
    FieldLogUnit = 8,
    FieldLogData = 9,
    FieldTestRowCount = 10,
    FieldTitleCameraNo = 11,
};

// Results of CheckFileField.
inline const QString kFieldValid = QStringLiteral("0");
inline const QString kFieldStop = QStringLiteral("1");       // stop reading
inline const QString kFieldUseDefault = QStringLiteral("2"); // use the default, read on

// Checks `value` of field `kind` (0..11) of item `itemNo`. Invalid values are reported as
// message 1 (Yes: "2", No: "1") or, for too many items, message 20 ("1").
QString CheckFileField(const QString& value, int kind, int itemNo, MessageSink& messages,
                       const LanguageTables& language);

// Tabs to blanks, trimmed, every blank removed; then split at the first colon.
struct ValueLine {
    QString value;     // before the first colon (the whole line without one)
    QString remainder; // after the first colon ("" without one)
};
ValueLine SplitValueLine(const QString& line);

// The first two double quotes of `line` become blanks (in place).
struct QuotedLine {
    QString quoted; // the text between them without surrounding blanks; "" without two quotes
    QString key;    // the line before its first colon, or the whole line
};
QuotedLine SplitQuotedLine(QString& line);

// Half-width blanks (only) removed from both ends; full-width blanks stay.
QString TrimBlanks(const QString& text);

} // namespace zel
