#pragma once
// Assertions on a program's output text: a failure shows the part looked for and the whole
// text, so a test needs no message of its own.
#include <QString>
#include <gtest/gtest.h>

namespace zel::test {

// Whether `text` holds `part` anywhere.
inline ::testing::AssertionResult Holds(const QString& text, const QString& part) {
    return (text.contains(part) ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "holds '" << part.toStdString() << "':\n"
           << text.toStdString();
}
inline ::testing::AssertionResult Holds(const QString& text, const char* part) {
    return Holds(text, QString::fromUtf8(part));
}

// Whether `text` starts with `part`.
inline ::testing::AssertionResult StartsWith(const QString& text, const QString& part) {
    return (text.startsWith(part) ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "starts with '" << part.toStdString() << "':\n"
           << text.toStdString();
}
inline ::testing::AssertionResult StartsWith(const QString& text, const char* part) {
    return StartsWith(text, QString::fromUtf8(part));
}

// Whether `text` ends with `part`.
inline ::testing::AssertionResult EndsWith(const QString& text, const QString& part) {
    return (text.endsWith(part) ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "ends with '" << part.toStdString() << "':\n"
           << text.toStdString();
}
inline ::testing::AssertionResult EndsWith(const QString& text, const char* part) {
    return EndsWith(text, QString::fromUtf8(part));
}

} // namespace zel::test
