#pragma once
// A list of words written as one text: Words("backup upload --camera 1") gives the four
// words of an argument list, Words("A802 A801") two expected frames (split at blanks; no word
// holds one).
#include <QStringList>

namespace zel::test {

inline QStringList Words(const char* text) {
    return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace zel::test
