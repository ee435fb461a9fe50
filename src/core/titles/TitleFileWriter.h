#pragma once
// Writing a title document as a .ttl file: 313 lines in CP932, each ended by CR LF.
//
//   line 1      REMOTE No. + ":Controller No" (the language's label)
//   line 2      CAMERA No. + ":Camera No"
//   then per category in tab order: its section header ("[CAMERA]", "[POSITION]", ...) and one
//   line per title, in number order, the title between two double quotation marks.
#include <QString>
#include <QStringList>

namespace zel {

class LanguageTables;
class MessageSink;
class TitleDocument;

struct TitleFileLabels {
    QString remote; // ":Controller No" / ":リモコン番号"
    QString camera; // ":Camera No" / ":カメラ番号"
};

TitleFileLabels TitleFileLabelsFor(const LanguageTables& language);

// A title as it stands on its file line: a double quotation mark (code 0073) becomes its
// escape form {073}, and line breaks become blanks, so the title reads back with the same
// codes and no title moves to another line.
QString TitleForFileLine(const QString& title);

// The 313 lines of the file.
QStringList TitleFileLines(const TitleDocument& document, const TitleFileLabels& labels);

// Writes the file through a temporary file and a rename, so a failed write keeps the old file.
// On failure shows "Cannot be saved at the file." (message 24) and returns false.
bool WriteTitleFile(const QString& path, const TitleDocument& document,
                    const TitleFileLabels& labels, MessageSink& messages);

} // namespace zel
