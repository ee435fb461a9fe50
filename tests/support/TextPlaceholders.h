#pragma once
// The "%N" markers of a text, sorted: both languages of a text must take the same arguments.
#include <QRegularExpression>
#include <QStringList>

namespace zel::test {

inline QStringList Placeholders(const QString& text) {
    static const QRegularExpression marker(u"%\\d"_qs);
    QStringList found;
    for (const QRegularExpressionMatch& match : marker.globalMatch(text))
        found.append(match.captured());
    found.sort();
    return found;
}

} // namespace zel::test
