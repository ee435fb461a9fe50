#pragma once
// A short text of the core in both languages, and the reason lines built from it.
#include <QString>

namespace zel {

struct LanguagePair {
    const char16_t* english;
    const char16_t* japanese;

    // The text in `languageIndex` (0 English, 1 Japanese).
    QString in(int languageIndex) const {
        return QString::fromUtf16(languageIndex == 1 ? japanese : english);
    }
    // The same with the system's own words in parentheses when there are any.
    QString in(int languageIndex, const QString& detail) const {
        return detail.isEmpty()
                   ? in(languageIndex)
                   : in(languageIndex) + QStringLiteral(" (") + detail + QLatin1Char(')');
    }
};

} // namespace zel
