// zelctl print as a separate process: PDF reports of title and log files, and every refusal
// leaves no PDF behind.
#include "PdfText.h"
#include "ZelctlTest.h"
#include "common/TextFile.h"

#include <QFile>
#include <QRegularExpression>
#include <sys/stat.h>

using namespace zel;
using namespace zel::test;

class PrintCliTest : public ZelctlTest {
protected:
    void prepare() override {
        if (!HavePdfTools())
            GTEST_SKIP() << "pdftotext and pdfinfo are not installed";
    }

    // A title file: CAMERA "カメラ1", POSITION 1..255 "P<n>", the rest empty.
    QString writeTitleFile() {
        QStringList lines{u"12:Controller No"_qs, u"200:Camera No"_qs, u"[CAMERA]"_qs,
                          u"\"カメラ1\""_qs, u"[POSITION]"_qs};
        for (int number = 1; number <= 255; ++number)
            lines.append(u"\"P%1\""_qs.arg(number));
        const QString file = path("titles.ttl");
        EXPECT_TRUE(WriteTextFile(file, lines));
        return file;
    }

    QString writeLogFile(const QStringList& lines) {
        const QString file = path("traffic.log");
        EXPECT_TRUE(WriteTextFile(file, lines));
        return file;
    }

    const QString pdf = path("out.pdf");
};

static QList<int> positionTitlesIn(const QString& text) {
    QList<int> numbers;
    static const QRegularExpression title(u"\\bP(\\d+)\\b"_qs);
    for (auto it = title.globalMatch(text); it.hasNext();)
        numbers.append(it.next().captured(1).toInt());
    return numbers;
}

TEST_F(PrintCliTest, TitlesPrintInNumberOrderWithTheCaptionsOfTheLanguage) {
    writeTitleFile();
    ASSERT_TRUE(Ended(run(cmd("print titles @titles.ttl --category 1 --pdf @out.pdf")), 0, "", ""));
    EXPECT_GT(PdfPageCount(pdf), 1);
    const QString text = PdfText(pdf);
    QList<int> expected;
    for (int number = 1; number <= 255; ++number)
        expected.append(number);
    EXPECT_EQ(positionTitlesIn(text), expected);
    for (const char* part : {"Title setting", "REMOTE No.：12", "CAMERA No.：200"})
        EXPECT_TRUE(Holds(text, part));

    const ProgramRun japanese =
        run(cmd("--lang ja print titles @titles.ttl --category=0 --pdf @out.pdf"));
    ASSERT_EQ(japanese.exitCode, 0) << japanese.err.toStdString();
    const QString textJa = PdfText(pdf);
    for (const char* part : {"タイトル設定", "タイトル", "カメラ1"})
        EXPECT_TRUE(Holds(textJa, part));
    EXPECT_FALSE(Holds(textJa, "Title setting"));
    EXPECT_EQ(PdfPageCount(pdf), 1);
}

TEST_F(PrintCliTest, LogPrintsEveryEntryAndAnEmptyLogOnePage) {
    const QString file = writeLogFile({u"HOST1:\tFE080010012038FFFF"_qs, u"CAMERA1:\t06"_qs});
    const ProgramRun printed = run(Words("print log") << file << Words("--pdf") << pdf);
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    const QString text = PdfText(pdf);
    EXPECT_TRUE(
        text.contains(QRegularExpression(u"HOST1\\s+FE080010012038FFFF[\\s\\S]*CAMERA1\\s+06"_qs)))
        << text.toStdString();

    ASSERT_EQ(run(Words("print log") << writeLogFile({}) << Words("--pdf") << pdf).exitCode, 0);
    EXPECT_EQ(PdfPageCount(pdf), 1);
    EXPECT_TRUE(PdfText(pdf).contains(u"通信ログ"_qs));
}

TEST_F(PrintCliTest, TestFilePrintsItsSettingsAndRows) {
    QStringList lines = u":---------通信テスト画面情報---------|5:リモコン番号|12:カメラ番号|"
                        "0:連続送信チェック|1.5:時間間隔|1:フリーフォーマット|"
                        ":---------通信テスト送信データ---------|:書/呼 送信データ|"
                        "W\t0102\t|r 0a0b :comment"_qs.split(u'|');
    const QString file = path("rows.trf");
    ASSERT_TRUE(WriteTextFile(file, lines));
    const ProgramRun printed = run(cmd("print test @rows.trf --pdf @out.pdf"));
    ASSERT_EQ(printed.exitCode, 0) << printed.err.toStdString();
    const QString text = PdfText(pdf);
    for (const char* label : {"通信テスト", "REMOTE No.：5", "CAMERA No.：12", "連続送信：×",
                              "時間間隔：1.500Sec", "フリーフォーマット：○"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(label))) << label;
    EXPECT_TRUE(text.contains(QRegularExpression(u"1\\s+○\\s+○\\s+2\\s+0102"_qs)));
    EXPECT_TRUE(text.contains(QRegularExpression(u"2\\s+○\\s+○\\s+2\\s+0A0B"_qs)));
    EXPECT_TRUE(text.contains(QRegularExpression(u"(^|\\n)\\s*16\\s"_qs)));

    // REMOTE No. 150: "Keep file reading ?" answered No stops the load and nothing prints;
    // with --yes the default 1 is taken.
    lines[1] = u"150:リモコン番号"_qs;
    ASSERT_TRUE(WriteTextFile(file, lines));
    QFile::remove(pdf);
    EXPECT_TRUE(Ended(run(cmd("print test @rows.trf --pdf @out.pdf")), 1, "REMOTE No. incorrect"));
    EXPECT_FALSE(QFile::exists(pdf));
    const ProgramRun accepted = run(cmd("--yes print test @rows.trf --pdf @out.pdf"));
    ASSERT_EQ(accepted.exitCode, 0) << accepted.err.toStdString();
    EXPECT_TRUE(PdfText(pdf).contains(u"REMOTE No.：1"_qs));
}

TEST_F(PrintCliTest, UnreadableInputsExitOneAndKeepTheOldPdf) {
    const QByteArray old("old pdf");
    ASSERT_TRUE(writeBytes(pdf, old));
    const QString fifo = path("pipe.log");
    ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
    const QString garbage = path("garbage.log");
    ASSERT_TRUE(writeBytes(garbage, QByteArray("HOST1:\t\x81\x7f\xff\r\n")));
    // A data field of 600 characters: "Keep file reading ?" answered No stops the read.
    const QString tooLong = writeLogFile({u"HOST1:\t00"_qs, u"HOST1:\t"_qs + QString(600, u'A')});
    for (const QString& input :
         {path("missing.log"), dir.path(), fifo, u"/dev/zero"_qs, garbage, tooLong}) {
        const ProgramRun r = run(Words("print log") << input << Words("--pdf") << pdf);
        EXPECT_EQ(r.exitCode, 1) << input.toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << input.toStdString();
        EXPECT_EQ(readBytes(pdf), old) << input.toStdString();
    }
    expectRuns({{"print test /dev/zero --pdf @out.pdf", 1},
                {"print titles @missing.ttl --category 1 --pdf @out.pdf", 1}});
    EXPECT_EQ(readBytes(pdf), old);
    EXPECT_EQ(QDir(dir.path()).entryList({u"*.pdf*"_qs}, QDir::Files),
              QStringList{u"out.pdf"_qs}); // no temporary file left
}

TEST_F(PrintCliTest, UnwritableOutputShowsTheErrorAndLeavesNothing) {
    writeTitleFile();
    const ProgramRun r =
        run(cmd("--lang ja print titles @titles.ttl --category 2 --pdf @no-such-folder/out.pdf"));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(StartsWith(r.err, "エラーが発生しました: "));
    EXPECT_FALSE(QFile::exists(path("no-such-folder/out.pdf")));
}

TEST_F(PrintCliTest, UsageErrorsExitTwoAndWriteNothing) {
    const QString file = writeTitleFile();
    const QByteArray original = readBytes(file);
    expectRuns({
        {"print titles @titles.ttl --category 1", 2},
        {"print titles @titles.ttl --pdf @out.pdf", 2},
        {"print titles @titles.ttl --category 9 --pdf @out.pdf", 2},
        {"print titles @titles.ttl --category x --pdf @out.pdf", 2},
        {"print titles @titles.ttl --category -1 --pdf @out.pdf", 2},
        {"print titles @titles.ttl --category 1 --pdf @titles.ttl", 2},
        {"print titles @titles.ttl @titles.ttl --category 1 --pdf @out.pdf", 2},
        {"print titles --category 1 --pdf @out.pdf", 2},
        {"print log @titles.ttl --category 1 --pdf @out.pdf", 2},
        {"print test @titles.ttl --category 1 --pdf @out.pdf", 2},
        {"print test @titles.ttl", 2},
        {"print poster @titles.ttl --pdf @out.pdf", 2},
        {"print titles @titles.ttl --category 1 --pdf", 2},
        {"print", 2},
    });
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_EQ(readBytes(file), original);
}
