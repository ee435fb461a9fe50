#include "common/NumberRange.h"
#include "RecordingSink.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

TEST(NumberRangeTest, AcceptsOnlyDigitsWithinTheRange) {
    for (const char* good : {"1", "99", "01"})
        EXPECT_TRUE(kRemoteNoRange.contains(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "0", "100", "-1", "+5", " 5", "5 ", "1e2", "12a", "99999999999"})
        EXPECT_FALSE(kRemoteNoRange.contains(QString::fromLatin1(bad))) << bad;
    EXPECT_TRUE(kCameraNoRange.contains(u"007"_qs) && kCameraNoRange.contains(u"255"_qs));
    EXPECT_FALSE(kCameraNoRange.contains(u"256"_qs) || kCameraNoRange.contains(u"0"_qs));
    EXPECT_TRUE(kAnyCameraNoRange.contains(u"0"_qs));
}

TEST(NumberRangeTest, CheckShowsTheRangeMessageOfItsBox) {
    LanguageTables language;
    RecordingSink sink;
    EXPECT_TRUE(kCameraNoRange.check(sink, language, u"255"_qs) && sink.shown.isEmpty());
    EXPECT_FALSE(kRemoteNoRange.check(sink, language, u"100"_qs));
    EXPECT_FALSE(kAnyCameraNoRange.check(sink, language, QString()));
    EXPECT_EQ(sink.numbers(), (QList<int>{4, 4}));
    EXPECT_EQ(sink.shown.value(0).extra, u"1 to 99 Setting data is beyond the setting range"_qs);
    EXPECT_EQ(sink.shown.value(1).extra, u"0 to 255 Setting data is beyond the setting range"_qs);
}

TEST(NumberRangeTest, AddressChecksTheRemoteNumberFirstAndStopsThere) {
    LanguageTables language;
    RecordingSink sink;
    EXPECT_TRUE(NumberRange::checkAddress(sink, language, u"99"_qs, u"1"_qs));
    EXPECT_FALSE(NumberRange::checkAddress(sink, language, u"0"_qs, u"0"_qs));
    ASSERT_EQ(sink.shown.size(), 1); // one message: the camera box is not checked
    EXPECT_TRUE(sink.shown[0].extra.startsWith(u"1 to 99"_qs));
    EXPECT_FALSE(NumberRange::checkAddress(sink, language, u"5"_qs, u"0"_qs));
    EXPECT_TRUE(sink.shown[1].extra.startsWith(u"1 to 255"_qs));
}

TEST(NumberRangeTest, StepsStayWithinTheRange) {
    // Out of range: back inside; no number or one too long to be a number: the low end.
    const std::tuple<const char*, int, int> cases[] = {
        {"5", 1, 6},  {"5", -1, 4}, {"99", 1, 99},         {"1", -1, 1},
        {"0", -1, 1}, {"00", 1, 1}, {"150", -1, 99},       {"", 1, 1},
        {"", -1, 1},  {"x", 1, 1},  {"99999999999", -1, 1}};
    for (const auto& [text, by, expected] : cases)
        EXPECT_EQ(kRemoteNoRange.stepped(QString::fromLatin1(text), by), expected)
            << text << " by " << by;
}
