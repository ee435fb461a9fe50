#include "site/CameraList.h"
#include "common/MessageNumber.h"
#include "site/SiteSummary.h"

#include <gtest/gtest.h>

using namespace zel;

TEST(CameraList, NumbersAndRangesInOrderWithoutRepeatsElseAReason) {
    EXPECT_EQ(ParseCameraList(u"1-8,12"_qs), (QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 12}));
    EXPECT_EQ(ParseCameraList(u" 12 , 3-4,4,1-1"_qs), (QList<int>{1, 3, 4, 12}));
    EXPECT_EQ(ParseCameraList(u"1-255"_qs)->size(), 255);
    EXPECT_EQ(ParseCameraList(u"7"_qs), QList<int>{7});
    for (const char* bad : {"", "0", "256", "1-256", "0-3", "5-2", "1,,2", "1-2-3", "a", "-4", "1-",
                            "+3", "1.5", "٣", "0012"}) {
        QString why;
        EXPECT_FALSE(ParseCameraList(QString::fromUtf8(bad), &why).has_value()) << bad;
        EXPECT_FALSE(why.isEmpty()) << bad;
    }
    EXPECT_TRUE(IsCameraListText(u"1-3"_qs));
    EXPECT_TRUE(IsCameraListText(u"1,3"_qs));
    EXPECT_FALSE(IsCameraListText(u"13"_qs)); // the single-camera form
}

TEST(SiteSummary, TableAndOutcome) {
    SiteSummary summary;
    summary.add({1, true, u"ok"_qs, 32000, 11840});
    EXPECT_TRUE(summary.allOk());
    summary.add({12, false, SiteSummary::resultForMessage(MessageTimeout), 0, 500});
    EXPECT_FALSE(summary.allOk());
    EXPECT_EQ(summary.table(), QStringLiteral("camera  result           bytes  seconds\n"
                                              "     1  ok               32000     11.8\n"
                                              "    12  no answer            0      0.5\n"
                                              "1 of 2 cameras done, 1 failed\n"));
    EXPECT_EQ(SiteSummary::resultForMessage(MessageNack), u"NACK"_qs);
    EXPECT_EQ(SiteSummary::resultForMessage(0), u"stopped"_qs);
}

TEST(SiteSummary, JapaneseTableSaysTheSameFacts) {
    SiteSummary summary;
    summary.add({1, true, SiteSummary::okResult(1), 32000, 11840});
    summary.add({9, false, SiteSummary::resultForMessage(MessageTimeout, 1), 0, 500});
    const QStringList lines = summary.table(1).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith(u"     1  完了 "_qs));
    EXPECT_TRUE(lines[1].endsWith(u"32000     11.8"_qs));
    EXPECT_TRUE(lines[2].startsWith(u"     9  応答なし "_qs));
    EXPECT_EQ(lines[3], u"2 台中 1 台完了、1 台失敗"_qs);
    EXPECT_EQ(SiteSummary::skippedLine(9, SiteSummary::resultForMessage(MessageTimeout, 1), 1),
              u"カメラ 9: 応答なし、スキップ"_qs);
    EXPECT_EQ(SiteSummary::resultForMessage(42, 1), u"失敗 (メッセージ 42)"_qs);
    EXPECT_EQ(SiteSummary::skippedLine(9, u"no answer"_qs), u"camera 9: no answer, skipped"_qs);
}
