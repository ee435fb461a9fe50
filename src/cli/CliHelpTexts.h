#pragma once
// zelctl's help in Japanese: one table keyed by the English text, so each command and option
// is still declared in one place and the English help (and the manual page) stays as written.
#include <QString>

namespace zel::cli {

// `english` in language `languageIndex` (0 English, 1 Japanese); a description's paragraphs
// are looked up one by one. The English text itself when no Japanese one is held.
QString HelpText(const QString& english, int languageIndex);
// Whether the table holds a Japanese text for `english`.
bool HasJapaneseHelpText(const QString& english);

} // namespace zel::cli
