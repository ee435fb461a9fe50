// Send-data (.trf) and result (.rsl) files: bytes written, every loading check, refused inputs.
#include "commtest/TestFileReader.h"
#include "commtest/TestFileWriter.h"
#include "commtest/TestScreen.h"

#include "RecordingSink.h"
#include "TestFiles.h"
#include "common/Cp932.h"
#include "common/MessageNumber.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <sys/stat.h>

using namespace zel;
using namespace zel::test;

namespace {

const char* const kHeader = ":---------通信テスト画面情報---------\r\n";

class TestFileTest : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("rows.trf")) const {
        return dir.filePath(name);
    }
    // Writes `text` (UTF-8 here, CP932 in the file) and loads it into `screen`.
    TestFileReader::Result load(const QString& text,
                                const QString& name = QStringLiteral("rows.trf")) {
        EXPECT_TRUE(writeBytes(path(name), TextToCp932(text).value()));
        return TestFileReader(sink, language).load(path(name), screen);
    }
    static QString settings(const char* remote, const char* camera = "1") {
        return QString::fromUtf8(kHeader) + QString::fromUtf8(remote) +
               QStringLiteral(":リモコン番号\r\n") + QString::fromUtf8(camera) +
               QStringLiteral(":カメラ番号\r\n0:連続送信チェック\r\n1.5:時間間隔\r\n"
                              "0:フリーフォーマット\r\n");
    }

    QTemporaryDir dir;
    RecordingSink sink;
    LanguageTables language;
    TestScreen screen;
};

TEST_F(TestFileTest, SendDataFileIsWrittenByteForByte) {
    screen.hostNo = QStringLiteral("5");
    screen.camNo = QStringLiteral("12");
    screen.interval = QStringLiteral("1.500");
    screen.setRowText(1, QStringLiteral("0102"));
    screen.row(2).read = true;
    screen.row(2).valid = false; // not stored
    screen.setRowText(2, QStringLiteral("ABC"));
    QString error;
    ASSERT_TRUE(TestFileWriter::saveSendData(path(), screen, &error)) << error.toStdString();

    QString expected = QString::fromUtf8(kHeader) +
                       QStringLiteral("5:リモコン番号\r\n12:カメラ番号\r\n0:連続送信チェック\r\n"
                                      "1.500:時間間隔\r\n0:フリーフォーマット\r\n"
                                      ":---------通信テスト送信データ---------\r\n"
                                      ":書/呼 送信データ\r\nW\t0102\t\r\nR\tABC\t\r\n");
    for (int row = 3; row <= 16; ++row)
        expected += QStringLiteral("W\t\t\r\n");
    expected += QStringLiteral("\r\n");
    EXPECT_EQ(readBytes(path()), TextToCp932(expected).value());
}

TEST_F(TestFileTest, ResultFileHoldsTextAndReplyPerRow) {
    screen.setRowText(1, QStringLiteral("0102"));
    screen.row(1).reply = QStringLiteral("ACK");
    screen.row(16).read = true;
    const QStringList lines = TestFileWriter::resultLines(screen);
    ASSERT_EQ(lines.size(), 8 + 32 + 1);
    EXPECT_EQ(lines[6], QStringLiteral(":---------通信テスト送受信データ---------"));
    EXPECT_EQ(lines[7], QStringLiteral(":書/呼 送受信データ"));
    EXPECT_EQ(lines[8], QStringLiteral("W\t送信データ\t0102"));
    EXPECT_EQ(lines[9], QStringLiteral("\t受信データ\tACK"));
    EXPECT_EQ(lines[38], QStringLiteral("R\t送信データ\t"));
    EXPECT_TRUE(lines.last().isEmpty());
}

TEST_F(TestFileTest, SavedFileLoadsBackToTheSameScreen) {
    screen.hostNo = QStringLiteral("99");
    screen.camNo = QStringLiteral("0");
    screen.continuous = true;
    screen.freeFormat = true;
    screen.interval = QStringLiteral("0.250");
    screen.setRowText(3, QStringLiteral("FE0801"));
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
    const QString text = settings("5") + QStringLiteral("r 0a0b :comment\r\n"
                                                        "\r\n"
                                                        "   \t  \r\n"
                                                        "W\t\t\r\n"
                                                        "w 01 : second\r\n");
    ASSERT_EQ(load(text), TestFileReader::Result::Loaded);
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_TRUE(screen.row(1).read);
    EXPECT_EQ(screen.row(1).text, QStringLiteral("0A0B"));
    EXPECT_TRUE(screen.row(1).valid);
    EXPECT_EQ(screen.row(2).text, QString()); // blank lines are skipped, not rows
    EXPECT_FALSE(screen.row(2).valid);
    EXPECT_FALSE(screen.row(2).read);
    EXPECT_EQ(screen.row(3).text, QStringLiteral("01"));
    EXPECT_EQ(screen.interval, QStringLiteral("1.500"));
}

TEST_F(TestFileTest, InvalidSettingAsksAndYesTakesTheDefault) {
    sink.answers = {ButtonYes};
    ASSERT_EQ(load(settings("150", "12")), TestFileReader::Result::Loaded);
    ASSERT_EQ(sink.numbers(), QList<int>{MessageKeepReading});
    EXPECT_EQ(sink.shown[0].extra, QStringLiteral("REMOTE No. incorrect"));
    EXPECT_EQ(screen.hostNo, QStringLiteral("1"));
    EXPECT_EQ(screen.camNo, QStringLiteral("12")); // reading went on

    sink.clear();
    sink.answers = {ButtonNo};
    screen.camNo = QStringLiteral("77");
    EXPECT_EQ(load(settings("150", "12")), TestFileReader::Result::Stopped);
    EXPECT_EQ(screen.camNo, QStringLiteral("1")); // reset before reading, not read after
}

TEST_F(TestFileTest, NumbersAreShownPlainly) {
    ASSERT_EQ(load(settings("+05", "007")), TestFileReader::Result::Loaded);
    EXPECT_EQ(screen.hostNo, QStringLiteral("5"));
    EXPECT_EQ(screen.camNo, QStringLiteral("7"));
}

TEST_F(TestFileTest, BadRowFieldsAskPerRow) {
    const QString text = settings("1") + QStringLiteral("x 0102\r\nW 01G2\r\nR ") +
                         QString(495, QLatin1Char('A')) + QStringLiteral("\r\n");
    sink.defaultAnswer = ButtonYes;
    ASSERT_EQ(load(text), TestFileReader::Result::Loaded);
    ASSERT_EQ(sink.numbers(), (QList<int>{1, 1, 1}));
    EXPECT_EQ(sink.shown[0].extra,
              QStringLiteral("書込/呼出データ1番目に不正な文字が入力されています。"));
    EXPECT_EQ(sink.shown[1].extra,
              QStringLiteral("送信データ2番目に不正な文字が入力されています。"));
    EXPECT_EQ(sink.shown[2].extra, QStringLiteral("送信データ3番目のデータが多すぎます。"));
    EXPECT_FALSE(screen.row(1).read); // a bad letter reads on as write
    EXPECT_EQ(screen.row(1).text, QStringLiteral("0102"));
    EXPECT_TRUE(screen.row(3).read);
    for (int row : {2, 3}) {
        EXPECT_TRUE(screen.row(row).text.isEmpty());
        EXPECT_FALSE(screen.row(row).valid);
    }
}

TEST_F(TestFileTest, SeventeenthRowStopsWithTheFirstSixteenLoaded) {
    QString text = settings("1");
    for (int row = 1; row <= 17; ++row)
        text += QStringLiteral("W %1\r\n").arg(row, 2, 16, QLatin1Char('0'));
    EXPECT_EQ(load(text), TestFileReader::Result::Stopped);
    ASSERT_EQ(sink.numbers(), QList<int>{MessageNoMoreData});
    EXPECT_EQ(sink.shown[0].extra, QStringLiteral("入力できるデータ数を超えています。"));
    EXPECT_EQ(screen.row(16).text, QStringLiteral("10"));
}

TEST_F(TestFileTest, LineEndsLfAndCrAlone) {
    for (const QString& end : {QStringLiteral("\n"), QStringLiteral("\r")}) {
        QString text = settings("5") + QStringLiteral("R 0A0B\r\n");
        screen.Reset_TestScreen();
        ASSERT_EQ(load(text.replace(QStringLiteral("\r\n"), end)), TestFileReader::Result::Loaded);
        EXPECT_EQ(screen.hostNo, QStringLiteral("5"));
        EXPECT_EQ(screen.row(1).text, QStringLiteral("0A0B"));
    }
    EXPECT_TRUE(sink.shown.isEmpty());
}

TEST_F(TestFileTest, RefusedFilesLeaveTheScreenAlone) {
    screen.hostNo = QStringLiteral("42");
    const QString longName = QString(125, QLatin1Char('n')) + QStringLiteral(".trf"); // 129
    EXPECT_EQ(load(settings("5"), longName), TestFileReader::Result::NotRead);
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra, QStringLiteral("ファイル名が大き過ぎます。"));
    // 128 characters are fine.
    EXPECT_EQ(load(settings("5"), longName.mid(1)), TestFileReader::Result::Loaded);
    screen.hostNo = QStringLiteral("42");

    const QString fifo = path(QStringLiteral("pipe.trf"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(writeBytes(path(QStringLiteral("big.trf")),
                           QByteArray(TestFileReader::kMaxFileBytes + 1, 'W')));
    ASSERT_TRUE(writeBytes(path(QStringLiteral("bad.trf")), QByteArray("\x81\x20\x82", 3)));
    ASSERT_TRUE(writeBytes(path(QStringLiteral("empty.trf")), QByteArray()));
    ASSERT_TRUE(writeBytes(path(QStringLiteral("labels.trf")), QByteArray(":a\r\n\t \r\n:b\r\n")));
    for (const QString& refused :
         {fifo, QStringLiteral("/dev/zero"), dir.path(), path(QStringLiteral("missing.trf")),
          path(QStringLiteral("big.trf")), path(QStringLiteral("bad.trf"))}) {
        sink.clear();
        EXPECT_EQ(TestFileReader(sink, language).load(refused, screen),
                  TestFileReader::Result::NotRead)
            << refused.toStdString();
        ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
        EXPECT_FALSE(sink.shown[0].extra.isEmpty());
        EXPECT_EQ(screen.hostNo, QStringLiteral("42"));
    }
}

} // namespace
