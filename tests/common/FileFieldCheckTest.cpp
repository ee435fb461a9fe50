#include "common/FileFieldCheck.h"
#include "RecordingSink.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

class FileFieldCheckTest : public ::testing::Test {
protected:
    QString check(const QString& value, int kind, int item = 1) {
        return CheckFileField(value, kind, item, sink, language);
    }
    bool valid(const char* value, int kind) {
        sink.clear();
        return check(QString::fromUtf8(value), kind) == kFieldValid && sink.shown.isEmpty();
    }
    RecordingSink sink;
    LanguageTables language;
};

TEST_F(FileFieldCheckTest, WriteReadLetterMessageAndAnswers) {
    EXPECT_TRUE(valid("W", 0) && valid("w", 0) && valid("R", 0) && valid("r", 0));
    sink.answers = {ButtonNo};
    EXPECT_EQ(check(u"x"_qs, 0, 3), kFieldStop);
    ASSERT_EQ(sink.numbers(), QList<int>{1});
    EXPECT_EQ(sink.shown[0].extra, u"書込/呼出データ3番目に不正な文字が入力されています。"_qs);
    sink.answers = {ButtonYes};
    EXPECT_EQ(check(u"WW"_qs, 0), kFieldUseDefault);
}

TEST_F(FileFieldCheckTest, TestRowData) {
    EXPECT_TRUE(valid("", 1) && valid("0123456789ABCDEF", 1));
    EXPECT_TRUE(valid(QString(494, QLatin1Char('A')).toLatin1().constData(), 1));
    EXPECT_FALSE(valid("ab", 1));
    EXPECT_EQ(sink.shown.value(0).extra, u"送信データ1番目に不正な文字が入力されています。"_qs);
    EXPECT_FALSE(valid(QString(495, QLatin1Char('A')).toLatin1().constData(), 1));
    EXPECT_EQ(sink.shown.value(0).extra, u"送信データ1番目のデータが多すぎます。"_qs);
}

TEST_F(FileFieldCheckTest, NumberKinds) {
    EXPECT_TRUE(valid("1", 2) && valid("99", 2));
    EXPECT_FALSE(valid("0", 2));
    EXPECT_EQ(sink.shown.value(0).extra, u"REMOTE No. incorrect"_qs);
    EXPECT_FALSE(valid("100", 2) || valid("5.0", 2) || valid("", 2) || valid("1a", 2));
    EXPECT_TRUE(valid("0", 3) && valid("255", 3));
    EXPECT_FALSE(valid("256", 3));
    EXPECT_EQ(sink.shown.value(0).extra, u"CAMERA No. incorrect"_qs);
    EXPECT_FALSE(valid("0", 11));
    EXPECT_TRUE(valid("1", 11) && valid("255", 11));
    EXPECT_TRUE(valid("0", 4) && valid("1", 4) && valid("0", 6) && valid("1", 6));
    EXPECT_FALSE(valid("2", 4));
    EXPECT_EQ(sink.shown.value(0).extra, u"連続送信チェック値が不正です。"_qs);
    EXPECT_FALSE(valid("1.0", 6));
    EXPECT_EQ(sink.shown.value(0).extra, u"フリーフォーマットチェック値が不正です。"_qs);
    language.setLanguageIndex(1);
    EXPECT_FALSE(valid("0", 2));
    EXPECT_EQ(sink.shown.value(0).extra, u"REMOTE No.が不正です。"_qs);
}

TEST_F(FileFieldCheckTest, ContinuousInterval) {
    for (const char* good : {"600", "0.125", "0", "0.5", "1.1000", "600.000"})
        EXPECT_TRUE(valid(good, 5)) << good;
    for (const char* bad : {"600.001", "-1", "0.0005", "abc", "", "."})
        EXPECT_FALSE(valid(bad, 5)) << bad;
    EXPECT_EQ(sink.shown.value(0).extra, u"連続送信時間間隔が不正です。"_qs);
}

TEST_F(FileFieldCheckTest, CountLimitsStopWithMessage20) {
    // A braced list checks in order, left to right.
    EXPECT_EQ(
        (QStringList{check(u"W"_qs, 10, 16), check(QString(), 10, 17), check(u"W"_qs, 10, 17)}),
        (QStringList{kFieldValid, kFieldValid, kFieldStop}));
    EXPECT_EQ(std::tuple(sink.numbers(), sink.shown.value(0).extra),
              std::tuple(QList<int>{20}, u"入力できるデータ数を超えています。"_qs));
    sink.clear();
    EXPECT_EQ((QStringList{check(u"HOST1"_qs, 8, 3001), check(QString(), 9, 3001),
                           check(u"x"_qs, 7, 99999)}),
              (QStringList{kFieldStop, kFieldValid, kFieldValid}));
    EXPECT_EQ(sink.numbers(), QList<int>{20});
}

TEST(LineSplit, ValueLine) {
    // Full-width blanks are text, not blanks.
    for (const auto& [line, value, remainder] :
         {std::tuple{u"1 : リモコン番号", u"1", u"リモコン番号"},
          {u"\t 12 3 \t", u"123", u""},
          {u"a:b:c", u"a", u"b:c"},
          {u"\u3000x", u"\u3000x", u""}}) {
        const ValueLine split = SplitValueLine(QString::fromUtf16(line));
        EXPECT_EQ((QStringList{split.value, split.remainder}),
                  (QStringList{QString::fromUtf16(value), QString::fromUtf16(remainder)}));
    }
}

TEST(LineSplit, QuotedLine) {
    QString line = u"1:\"  AB\u3000C \":x"_qs;
    const QuotedLine q = SplitQuotedLine(line);
    EXPECT_EQ((QStringList{q.quoted, q.key}), (QStringList{u"AB\u3000C"_qs, u"1"_qs}));
    EXPECT_EQ(line, u"1:   AB\u3000C  :x"_qs);

    QString one = u"[TITLE] \"open"_qs;
    const QuotedLine r = SplitQuotedLine(one);
    EXPECT_EQ((QStringList{r.quoted, r.key}), (QStringList{QString(), u"[TITLE]  open"_qs}));

    QString empty = u"\"\""_qs;
    EXPECT_TRUE(SplitQuotedLine(empty).quoted.isEmpty());
}
