#pragma once
// Assertions on a program's output text: a failure shows the part looked for and the whole
// text, so a test needs no message of its own.
#include <QString>
#include <gtest/gtest.h>

namespace zel::test {

namespace detail {
inline ::testing::AssertionResult TextResult(bool holds, const char* how, const QString& text,
                                             const QString& part) {
    ::testing::AssertionResult result =
        holds ? ::testing::AssertionSuccess() : ::testing::AssertionFailure();
    return result << how << " '" << part.toStdString() << "':\n" << text.toStdString();
}
} // namespace detail

// Whether `text` holds `part` anywhere.
inline ::testing::AssertionResult Holds(const QString& text, const QString& part) {
    return detail::TextResult(text.contains(part), "holds", text, part);
}
inline ::testing::AssertionResult Holds(const QString& text, const char* part) {
    return Holds(text, QString::fromUtf8(part));
}

// Whether `text` starts with `part`.
inline ::testing::AssertionResult StartsWith(const QString& text, const QString& part) {
    return detail::TextResult(text.startsWith(part), "starts with", text, part);
}
inline ::testing::AssertionResult StartsWith(const QString& text, const char* part) {
    return StartsWith(text, QString::fromUtf8(part));
}

// Whether `text` ends with `part`.
inline ::testing::AssertionResult EndsWith(const QString& text, const QString& part) {
    return detail::TextResult(text.endsWith(part), "ends with", text, part);
}
inline ::testing::AssertionResult EndsWith(const QString& text, const char* part) {
    return EndsWith(text, QString::fromUtf8(part));
}

} // namespace zel::test
