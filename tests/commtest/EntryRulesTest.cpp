// Entry rules of the test screen's boxes.
#include "commtest/TestEntryRules.h"

#include "RecordingSink.h"
#include "common/MessageNumber.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {

TEST(EntryRulesTest, IntervalRangeDecimalsAndFormat) {
    for (const char* good : {"0", "600", "0.125", "1.5", "600.000", "2.", "0.1250"})
        EXPECT_TRUE(TestEntryRules::isInterval(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "600.001", "-1", "0.0005", ".5", "1e2", "abc", "1.2.3", " 1"})
        EXPECT_FALSE(TestEntryRules::isInterval(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ(TestEntryRules::formatInterval(u"0.5"_qs), u"0.500"_qs);
    EXPECT_EQ(TestEntryRules::formatInterval(u"2."_qs), u"2.000"_qs);
    EXPECT_EQ(TestEntryRules::formatInterval(u"25"_qs), u"25"_qs);
}

TEST(EntryRulesTest, BoxesShowTheRangeMessage) {
    RecordingSink sink;
    LanguageTables language;
    EXPECT_EQ(TestEntryRules::checkInterval(sink, language, u"1.5"_qs), u"1.500"_qs);
    EXPECT_FALSE(TestEntryRules::checkInterval(sink, language, u"601"_qs));
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra, u"0 to 600 Setting data is beyond the setting range"_qs);
    sink.clear();
    EXPECT_TRUE(TestEntryRules::checkCameraNo(sink, language, u"0"_qs));
    EXPECT_FALSE(TestEntryRules::checkCameraNo(sink, language, u"256"_qs));
    EXPECT_FALSE(TestEntryRules::checkRemoteNo(sink, language, u"0"_qs));
    EXPECT_FALSE(TestEntryRules::checkRemoteNo(sink, language, QString()));
    EXPECT_EQ(sink.numbers(), (QList<int>{4, 4, 4}));
}

TEST(EntryRulesTest, PasteTakesUpperHexOnly) {
    RecordingSink sink;
    EXPECT_TRUE(TestEntryRules::checkPaste(sink, u"0123ABCDEF"_qs));
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_FALSE(TestEntryRules::checkPaste(sink, u"01ab"_qs));
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra, u"設定値が不正です。\r\n貼り付けできません。"_qs);
}

} // namespace
