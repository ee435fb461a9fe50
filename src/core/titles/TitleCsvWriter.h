#pragma once
// A title document as comma-separated text for a spreadsheet: UTF-8 with a byte-order mark,
// CR LF, fields quoted where they need it.
//
//   #REMOTE,1
//   #CAMERA,12
//   category,number,title
//   CAMERA,1,Lobby
//   POSITION,1,"Gate, north"
//   ...                          one row per title, categories in tab order, by number
//
// The category is the .ttl section name without brackets; the number is the title's number
// (1 for CAMERA and AUTOPAN). The title is the one the user sees: the .ttl escape of a double
// quotation mark ({073}) is written as the quotation mark itself, and line breaks as blanks
// (as the .ttl holds them).
#include <QByteArray>
#include <QString>

namespace zel {

class TitleDocument;

inline constexpr char16_t kTitleCsvRemoteKey[] = u"#REMOTE";
inline constexpr char16_t kTitleCsvCameraKey[] = u"#CAMERA";
inline constexpr char16_t kTitleCsvHeader[] = u"category,number,title";

// "POSITION" for category 1; `category` must be 0..8.
QString TitleCsvCategoryName(int category);

// A title as it stands in the text (the inverse of the .ttl's quotation mark escape).
QString TitleFromFileLine(const QString& title);

QByteArray TitleCsvBytes(const TitleDocument& document);

// Writes the text through a temporary file and a rename (a failed write keeps the old file);
// false with the reason in `error`.
bool WriteTitleCsvFile(const QString& path, const TitleDocument& document,
                       QString* error = nullptr);

} // namespace zel
