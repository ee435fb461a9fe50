#pragma once
// Assertions on a program's output text: a failure shows the part looked for and the whole
// text, so a test needs no message of its own.
#include <QString>
#include <gtest/gtest.h>

namespace zel::test {

// Whether `found`, shown as `part` looked for `where` in `text`.
inline ::testing::AssertionResult TextHas(bool found, const QString& text, const QString& part,
                                          const char* where) {
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
    return TextHas(text.contains(PartText(part)), text, PartText(part), "");
}
template <typename Part>
::testing::AssertionResult StartsWith(const QString& text, const Part& part) {
    return TextHas(text.startsWith(PartText(part)), text, PartText(part), " at the start");
}
template <typename Part>::testing::AssertionResult EndsWith(const QString& text, const Part& part) {
    return TextHas(text.endsWith(PartText(part)), text, PartText(part), " at the end");
}

} // namespace zel::test
