// Send-data (.trf) and result (.rsl) files: bytes written, every loading check, refused inputs.
#include "RecordingSink.h"
#include "TestFiles.h"
#include "Words.h"
#include "common/Cp932.h"
#include "common/MessageNumber.h"
#include "commtest/TestFileReader.h"
#include "commtest/TestFileWriter.h"
#include "commtest/TestFindTarget.h"
#include "commtest/TestScreen.h"
#include "find/FindState.h"
#include "find/TextFinder.h"
#include "shell/LanguageTables.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace zel;
using namespace zel::test;

const char* const kHeader = ":---------通信テスト画面情報---------\r\n";

class TestFileTest : public ::testing::Test {
protected:
    QString path(const QString& name = u"rows.trf"_qs) const { return dir.filePath(name); }
    // Writes `text` (UTF-8 here, CP932 in the file) and loads it into `screen`.
    TestFileReader::Result load(const QString& text, const QString& name = u"rows.trf"_qs) {
        EXPECT_TRUE(writeBytes(path(name), TextToCp932(text).value()));
        return TestFileReader(sink, language).load(path(name), screen);
    }
    // Rows 1..`count` as "letter:text:valid|unused".
    QStringList rowsAsText(int count) const {
        QStringList rows;
        for (int row = 1; row <= count; ++row)
            rows.append(u"%1:%2:%3"_qs.arg(screen.row(row).read ? u"R"_qs : u"W"_qs,
                                           screen.row(row).text,
                                           screen.row(row).valid ? u"valid"_qs : u"unused"_qs));
        return rows;
    }
    static QString settings(const char* remote, const char* camera = "1") {
        return QString::fromUtf8(kHeader) + QString::fromUtf8(remote) + u":リモコン番号\r\n"_qs +
               QString::fromUtf8(camera) +
               QStringLiteral(":カメラ番号\r\n0:連続送信チェック\r\n1.5:時間間隔\r\n"
                              "0:フリーフォーマット\r\n");
    }

    QTemporaryDir dir;
    RecordingSink sink;
    LanguageTables language;
    TestScreen screen;
};

TEST_F(TestFileTest, SendDataFileIsWrittenByteForByte) {
    screen.hostNo = u"5"_qs;
    screen.camNo = u"12"_qs;
    screen.interval = u"1.500"_qs;
    screen.setRowText(1, u"0102"_qs);
    screen.row(2).read = true;
    screen.row(2).valid = false; // not stored
    screen.setRowText(2, u"ABC"_qs);
    QString error;
    ASSERT_TRUE(TestFileWriter::saveSendData(path(), screen, &error)) << error.toStdString();

    QString expected = QString::fromUtf8(kHeader) +
                       QStringLiteral("5:リモコン番号\r\n12:カメラ番号\r\n0:連続送信チェック\r\n"
                                      "1.500:時間間隔\r\n0:フリーフォーマット\r\n"
                                      ":---------通信テスト送信データ---------\r\n"
                                      ":書/呼 送信データ\r\nW\t0102\t\r\nR\tABC\t\r\n");
    for (int row = 3; row <= 16; ++row)
        expected += u"W\t\t\r\n"_qs;
    expected += u"\r\n"_qs;
    EXPECT_EQ(readBytes(path()), TextToCp932(expected).value());
}

TEST_F(TestFileTest, ResultFileHoldsTextAndReplyPerRow) {
    screen.setRowText(1, u"0102"_qs);
    screen.row(1).reply = u"ACK"_qs;
    screen.row(16).read = true;
    const QStringList lines = TestFileWriter::resultLines(screen);
    ASSERT_EQ(lines.size(), 8 + 32 + 1);
    EXPECT_EQ(lines.mid(6, 4), (QStringList{u":---------通信テスト送受信データ---------"_qs,
                                            u":書/呼 送受信データ"_qs, u"W\t送信データ\t0102"_qs,
                                            u"\t受信データ\tACK"_qs}));
    EXPECT_EQ(lines.mid(38), (QStringList{u"R\t送信データ\t"_qs, u"\t受信データ\t"_qs, QString()}));
}

TEST_F(TestFileTest, SavedFileLoadsBackToTheSameScreen) {
    screen.hostNo = u"99"_qs;
    screen.camNo = u"0"_qs;
    screen.continuous = true;
    screen.freeFormat = true;
    screen.interval = u"0.250"_qs;
    screen.setRowText(3, u"FE0801"_qs);
    screen.row(3).read = true;
    ASSERT_TRUE(TestFileWriter::saveSendData(path(), screen, nullptr));
    TestScreen loaded;
    ASSERT_EQ(TestFileReader(sink, language).load(path(), loaded), TestFileReader::Result::Loaded);
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_EQ(TestFileWriter::sendDataLines(loaded), TestFileWriter::sendDataLines(screen));
    EXPECT_FALSE(loaded.row(1).valid); // empty rows are not in use
    EXPECT_TRUE(loaded.row(3).valid);
}

TEST_F(TestFileTest, RowLinesWithCommentsCaseAndEmptyText) {
    const QString text =
        settings("5") + u"r 0a0b :comment\r\n\r\n   \t  \r\nW\t\t\r\nw 01 : second\r\n"_qs;
    ASSERT_EQ(load(text), TestFileReader::Result::Loaded);
    EXPECT_TRUE(sink.shown.isEmpty());
    // Blank lines are skipped, not rows: row 2 is the empty W line.
    EXPECT_EQ(rowsAsText(3), Words("R:0A0B:valid W::unused W:01:valid"));
    EXPECT_EQ(screen.interval, u"1.500"_qs);
}

TEST_F(TestFileTest, InvalidSettingAsksAndYesTakesTheDefault) {
    sink.answers = {ButtonYes};
    ASSERT_EQ(load(settings("150", "12")), TestFileReader::Result::Loaded);
    ASSERT_EQ(sink.numbers(), QList<int>{MessageKeepReading});
    EXPECT_EQ(sink.shown[0].extra, u"REMOTE No. incorrect"_qs);
    EXPECT_EQ((QStringList{screen.hostNo, screen.camNo}), Words("1 12")); // reading went on

    sink.clear();
    sink.answers = {ButtonNo};
    screen.camNo = u"77"_qs;
    EXPECT_EQ(load(settings("150", "12")), TestFileReader::Result::Stopped);
    EXPECT_EQ(screen.camNo, u"1"_qs); // reset before reading, not read after
}

TEST_F(TestFileTest, NumbersAreShownPlainly) {
    ASSERT_EQ(load(settings("+05", "007")), TestFileReader::Result::Loaded);
    EXPECT_EQ((QStringList{screen.hostNo, screen.camNo}), Words("5 7"));
}

TEST_F(TestFileTest, BadRowFieldsAskPerRow) {
    const QString text =
        settings("1") + u"x 0102\r\nW 01G2\r\nR "_qs + QString(495, QLatin1Char('A')) + u"\r\n"_qs;
    sink.defaultAnswer = ButtonYes;
    ASSERT_EQ(load(text), TestFileReader::Result::Loaded);
    ASSERT_EQ(sink.numbers(), (QList<int>{1, 1, 1}));
    EXPECT_EQ((QStringList{sink.shown[0].extra, sink.shown[1].extra, sink.shown[2].extra}),
              (QStringList{u"書込/呼出データ1番目に不正な文字が入力されています。"_qs,
                           u"送信データ2番目に不正な文字が入力されています。"_qs,
                           u"送信データ3番目のデータが多すぎます。"_qs}));
    // A bad letter reads on as write.
    EXPECT_EQ(rowsAsText(3), Words("W:0102:valid W::unused R::unused"));
}

TEST_F(TestFileTest, SeventeenthRowStopsWithTheFirstSixteenLoaded) {
    QString text = settings("1");
    for (int row = 1; row <= 17; ++row)
        text += u"W %1\r\n"_qs.arg(row, 2, 16, QLatin1Char('0'));
    EXPECT_EQ(load(text), TestFileReader::Result::Stopped);
    ASSERT_EQ(sink.numbers(), QList<int>{MessageNoMoreData});
    EXPECT_EQ(sink.shown[0].extra, u"入力できるデータ数を超えています。"_qs);
    EXPECT_EQ(screen.row(16).text, u"10"_qs);
}

TEST_F(TestFileTest, LineEndsLfAndCrAlone) {
    for (const QString& end : {u"\n"_qs, u"\r"_qs}) {
        QString text = settings("5") + u"R 0A0B\r\n"_qs;
        screen.Reset_TestScreen();
        ASSERT_EQ(load(text.replace(u"\r\n"_qs, end)), TestFileReader::Result::Loaded);
        EXPECT_EQ((QStringList{screen.hostNo, screen.row(1).text}), Words("5 0A0B"));
    }
    EXPECT_TRUE(sink.shown.isEmpty());
}

TEST_F(TestFileTest, RefusedFilesLeaveTheScreenAlone) {
    screen.hostNo = u"42"_qs;
    const QString longName = QString(125, QLatin1Char('n')) + u".trf"_qs; // 129
    EXPECT_EQ(load(settings("5"), longName), TestFileReader::Result::NotRead);
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra, u"ファイル名が大き過ぎます。"_qs);
    // 128 characters are fine.
    EXPECT_EQ(load(settings("5"), longName.mid(1)), TestFileReader::Result::Loaded);
    screen.hostNo = u"42"_qs;

    const QString fifo = path(u"pipe.trf"_qs);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(
        writeBytes(path(u"big.trf"_qs), QByteArray(TestFileReader::kMaxFileBytes + 1, 'W')));
    ASSERT_TRUE(writeBytes(path(u"bad.trf"_qs), QByteArray("\x81\x20\x82", 3)));
    ASSERT_TRUE(writeBytes(path(u"empty.trf"_qs), QByteArray()));
    ASSERT_TRUE(writeBytes(path(u"labels.trf"_qs), QByteArray(":a\r\n\t \r\n:b\r\n")));
    for (const QString& refused : {fifo, u"/dev/zero"_qs, dir.path(), path(u"missing.trf"_qs),
                                   path(u"big.trf"_qs), path(u"bad.trf"_qs)}) {
        sink.clear();
        EXPECT_EQ(TestFileReader(sink, language).load(refused, screen),
                  TestFileReader::Result::NotRead)
            << refused.toStdString();
        ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
        EXPECT_FALSE(sink.shown[0].extra.isEmpty());
        EXPECT_EQ(screen.hostNo, u"42"_qs);
    }
}

// Find and replace over the send-data lines (context 5): byte-boundary matching and the
// hexadecimal replacement.
class TestFindTest : public TestFileTest {
protected:
    TestFindTest() {
        state.FindContext = FindContextTest;
        target.onHit = [this](int line) { hits.append(line); };
        target.onChanged = [this](int line) { changed.append(line); };
    }
    FindOptions partial(const char* text) const {
        return FindRulesFor(FindContextTest).options(QString::fromLatin1(text), false);
    }

    TestFindTarget target{screen};
    FindState state;
    TextFinder finder{state, sink, language};
    QList<int> hits, changed;
};

TEST_F(TestFindTest, MatchesOnlyOnByteBoundaries) {
    screen.setRowText(1, u"0A1B"_qs);
    screen.setRowText(2, u"A1B0"_qs);
    screen.setRowText(3, u"0A1A1B"_qs); // A1 at positions 2 and 4 only
    screen.setRowText(4, u"0A1BA1"_qs);
    EXPECT_EQ(finder.find(target, partial("A1")), 2);
    EXPECT_EQ(finder.find(target, partial("A1")), 4); // at position 5
    EXPECT_EQ(finder.find(target, partial("A1")), 0);
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReachedLastLine});
    EXPECT_EQ(state.FindStartLine, 1);
    EXPECT_EQ(finder.find(target, partial("A1")), 2); // from the top again
    EXPECT_EQ(hits, (QList<int>{2, 4, 2}));
}

TEST_F(TestFindTest, ReplacementRewritesEveryOccurrenceOfAMatchingLine) {
    screen.setRowText(1, u"0A1B"_qs);
    screen.setRowText(2, u"A1A1"_qs);
    screen.setRowText(3, u"0A1BA1"_qs);
    EXPECT_EQ(finder.replaceNext(target, partial("A1"), u"FF"_qs), 2);
    EXPECT_EQ(screen.row(2).text, u"FFFF"_qs);
    EXPECT_EQ(finder.replaceNext(target, partial("A1"), u"FF"_qs), 3);
    EXPECT_EQ(screen.row(3).text, u"0FFBFF"_qs); // position 2 too
    EXPECT_EQ(screen.row(1).text, u"0A1B"_qs);
    EXPECT_EQ(changed, (QList<int>{2, 3}));
}

TEST_F(TestFindTest, ReplaceAllCountsLinesAndWholeMatch) {
    screen.setRowText(1, u"0102"_qs);
    screen.setRowText(5, u"0201"_qs);
    screen.setRowText(9, u"10"_qs);
    EXPECT_EQ(finder.replaceAll(target, partial("01"), u"AA"_qs), 2);
    EXPECT_EQ(sink.shown.last().extra, u"2 pieces replaced."_qs);
    EXPECT_EQ(screen.row(9).text, u"10"_qs);
    sink.clear();
    const FindOptions whole = FindRulesFor(FindContextTest).options(u"10"_qs, true);
    EXPECT_EQ(finder.replaceAll(target, whole, u"BEEF"_qs), 1);
    EXPECT_EQ(screen.row(9).text, u"BEEF"_qs);
    sink.clear();
    EXPECT_EQ(finder.replaceAll(target, partial("77"), u"88"_qs), 0);
    EXPECT_EQ(sink.numbers(), QList<int>{MessageReachedLastLine});
    EXPECT_FALSE(CheckHexReplacement(u"0g"_qs));
    EXPECT_TRUE(CheckHexReplacement(u"0AFF"_qs));
}

// Where the caret goes when the dialog closes: the line whose highlight comes off, else the
// line the next search starts at; Replace All takes the highlights off.
TEST_F(TestFindTest, CaretAfterTheDialogGoesToTheHighlightedLineOrTheStartLine) {
    screen.setRowText(3, u"A1"_qs);
    screen.setRowText(7, u"A1A1"_qs);
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 1); // nothing searched yet
    EXPECT_EQ(finder.find(target, partial("A1")), 3);
    EXPECT_EQ(finder.find(target, partial("A1")), 7);
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 7);
    EXPECT_EQ(finder.replaceAll(target, partial("A1"), u"FF"_qs), 2);
    // Replace All left nothing highlighted: the start line, not the last hit.
    EXPECT_EQ(state.FindStartLine, 1);
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 1);
    // A hit on the last line leaves the start past the lines: the caret stays on them.
    screen.setRowText(16, u"B2"_qs);
    EXPECT_EQ(finder.find(target, partial("B2")), 16);
    target.forgetHighlight();
    EXPECT_EQ(target.caretLineAfterFind(state.FindStartLine), 16);
}
