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
    EXPECT_EQ(TestEntryRules::formatInterval(QStringLiteral("0.5")), QStringLiteral("0.500"));
    EXPECT_EQ(TestEntryRules::formatInterval(QStringLiteral("2.")), QStringLiteral("2.000"));
    EXPECT_EQ(TestEntryRules::formatInterval(QStringLiteral("25")), QStringLiteral("25"));
}

TEST(EntryRulesTest, BoxesShowTheRangeMessage) {
    RecordingSink sink;
    LanguageTables language;
    EXPECT_EQ(TestEntryRules::checkInterval(sink, language, QStringLiteral("1.5")),
              QStringLiteral("1.500"));
    EXPECT_FALSE(TestEntryRules::checkInterval(sink, language, QStringLiteral("601")));
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra,
              QStringLiteral("0 to 600 Setting data is beyond the setting range"));
    sink.clear();
    EXPECT_TRUE(TestEntryRules::checkCameraNo(sink, language, QStringLiteral("0")));
    EXPECT_FALSE(TestEntryRules::checkCameraNo(sink, language, QStringLiteral("256")));
    EXPECT_FALSE(TestEntryRules::checkRemoteNo(sink, language, QStringLiteral("0")));
    EXPECT_FALSE(TestEntryRules::checkRemoteNo(sink, language, QString()));
    EXPECT_EQ(sink.numbers(), (QList<int>{4, 4, 4}));
}

TEST(EntryRulesTest, PasteTakesUpperHexOnly) {
    RecordingSink sink;
    EXPECT_TRUE(TestEntryRules::checkPaste(sink, QStringLiteral("0123ABCDEF")));
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_FALSE(TestEntryRules::checkPaste(sink, QStringLiteral("01ab")));
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra, QStringLiteral("設定値が不正です。\r\n貼り付けできません。"));
}

} // namespace
