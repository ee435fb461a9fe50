#include "common/NumberRange.h"
#include "RecordingSink.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

TEST(NumberRangeTest, AcceptsOnlyDigitsWithinTheRange) {
    EXPECT_TRUE(kRemoteNoRange.contains(QStringLiteral("1")));
    EXPECT_TRUE(kRemoteNoRange.contains(QStringLiteral("99")));
    EXPECT_TRUE(kCameraNoRange.contains(QStringLiteral("007")));
    for (const char* bad : {"", "0", "100", "-1", "+5", " 5", "5 ", "1e2", "12a", "99999999999"})
        EXPECT_FALSE(kRemoteNoRange.contains(QString::fromLatin1(bad))) << bad;
    EXPECT_TRUE(kCameraNoRange.contains(QStringLiteral("255")));
    EXPECT_FALSE(kCameraNoRange.contains(QStringLiteral("256")));
    EXPECT_FALSE(kCameraNoRange.contains(QStringLiteral("0")));
    EXPECT_TRUE(kAnyCameraNoRange.contains(QStringLiteral("0")));
}

TEST(NumberRangeTest, CheckShowsTheRangeMessageOfItsBox) {
    LanguageTables language;
    RecordingSink sink;
    EXPECT_TRUE(kCameraNoRange.check(sink, language, QStringLiteral("255")));
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_FALSE(kRemoteNoRange.check(sink, language, QStringLiteral("100")));
    EXPECT_FALSE(kAnyCameraNoRange.check(sink, language, QString()));
    ASSERT_EQ(sink.shown.size(), 2);
    EXPECT_EQ(sink.shown[0].number, 4);
    EXPECT_EQ(sink.shown[0].extra,
              QStringLiteral("1 to 99 Setting data is beyond the setting range"));
    EXPECT_EQ(sink.shown[1].extra,
              QStringLiteral("0 to 255 Setting data is beyond the setting range"));
}

TEST(NumberRangeTest, AddressChecksTheRemoteNumberFirstAndStopsThere) {
    LanguageTables language;
    RecordingSink sink;
    EXPECT_TRUE(
        NumberRange::checkAddress(sink, language, QStringLiteral("99"), QStringLiteral("1")));
    EXPECT_FALSE(
        NumberRange::checkAddress(sink, language, QStringLiteral("0"), QStringLiteral("0")));
    ASSERT_EQ(sink.shown.size(), 1); // one message: the camera box is not checked
    EXPECT_TRUE(sink.shown[0].extra.startsWith(QStringLiteral("1 to 99")));
    EXPECT_FALSE(
        NumberRange::checkAddress(sink, language, QStringLiteral("5"), QStringLiteral("0")));
    EXPECT_TRUE(sink.shown[1].extra.startsWith(QStringLiteral("1 to 255")));
}

TEST(NumberRangeTest, StepsStayWithinTheRange) {
    struct Case {
        const char* text;
        int by;
        int expected;
    };
    // Out of range: back inside; no number or one too long to be a number: the low end.
    const Case cases[] = {{"5", 1, 6},  {"5", -1, 4}, {"99", 1, 99},         {"1", -1, 1},
                          {"0", -1, 1}, {"00", 1, 1}, {"150", -1, 99},       {"", 1, 1},
                          {"", -1, 1},  {"x", 1, 1},  {"99999999999", -1, 1}};
    for (const Case& c : cases)
        EXPECT_EQ(kRemoteNoRange.stepped(QString::fromLatin1(c.text), c.by), c.expected)
            << c.text << " by " << c.by;
}
