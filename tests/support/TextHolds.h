#pragma once
// Assertions on a program's output text: a failure shows the part looked for and the whole
// text, so a test needs no message of its own.
#include <QString>
#include <gtest/gtest.h>

namespace zel::test {

// Where in the text a part must be.
enum class TextPlace { Anywhere, Start, End };

inline ::testing::AssertionResult TextHas(const QString& text, const QString& part,
                                          TextPlace place) {
    const bool found = place == TextPlace::Start ? text.startsWith(part)
                       : place == TextPlace::End ? text.endsWith(part)
                                                 : text.contains(part);
    const char* where = place == TextPlace::Start ? " at the start"
                        : place == TextPlace::End ? " at the end"
                                                  : "";
    return (found ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "'" << part.toStdString() << "'" << where << " of:\n"
           << text.toStdString();
}

inline QString PartText(const QString& part) {
    return part;
}
inline QString PartText(const char* part) {
    return QString::fromUtf8(part);
}

// Whether `text` holds `part` anywhere, at its start, at its end.
template <typename Part>::testing::AssertionResult Holds(const QString& text, const Part& part) {
    return TextHas(text, PartText(part), TextPlace::Anywhere);
}
template <typename Part>
::testing::AssertionResult StartsWith(const QString& text, const Part& part) {
    return TextHas(text, PartText(part), TextPlace::Start);
}
template <typename Part>::testing::AssertionResult EndsWith(const QString& text, const Part& part) {
    return TextHas(text, PartText(part), TextPlace::End);
}

} // namespace zel::test
