#include "common/TextFile.h"
#include "TestFiles.h"
#include "common/TextLines.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zel;

class TextFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(u"b.txt"_qs);
};

TEST_F(TextFileTest, Cp932RoundTripWithCrLf) {
    const QStringList lines{u"1 :リモコン番号"_qs, QString(), u"ABC\t\"x\""_qs};
    ASSERT_TRUE(WriteTextFile(path, lines));
    const QByteArray bytes = zel::test::readBytes(path);
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_TRUE(bytes.contains(QByteArray("\x83\x8a"))); // リ in CP932
    const auto read = ReadTextFile(path);
    EXPECT_EQ(std::tuple(read.ok, read.lines), std::tuple(true, lines));
}

TEST_F(TextFileTest, EveryLineEndReadsTheSameLines) {
    const QStringList expected{u"one"_qs, QString(), u"three"_qs};
    // CR LF, LF, CR alone (old editors), mixed, and a last line without a line end.
    for (const char* bytes : {"one\r\n\r\nthree\r\n", "one\n\nthree\n", "one\r\rthree\r",
                              "one\r\n\nthree", "one\r\rthree"}) {
        ASSERT_TRUE(zel::test::writeBytes(path, bytes));
        const auto read = ReadTextFile(path);
        EXPECT_EQ(std::tuple(read.ok, read.lines), std::tuple(true, expected)) << bytes;
    }
    ASSERT_TRUE(zel::test::writeBytes(path, ""));
    EXPECT_EQ(std::tuple(ReadTextFile(path).ok, ReadTextFile(path).lines.size()),
              std::tuple(true, 0));
}

TEST(TextLines, LineSpansKeepTheirLineEnds) {
    const QByteArray content("a\r\nbb\rc\n\r\n");
    const auto spans = FindLineSpans(content);
    ASSERT_EQ(spans.size(), 4);
    EXPECT_EQ(content.mid(spans[1].start, spans[1].length), QByteArray("bb"));
    EXPECT_EQ(std::tuple(spans[1].end, spans[3].length, spans[3].end),
              std::tuple(6, 0, content.size()));
    // The first line's end, CR LF when there is none.
    EXPECT_EQ((QList<QByteArray>{LineEndOf(content), LineEndOf("x\ry\r\n"), LineEndOf("x\n"),
                                 LineEndOf("x")}),
              (QList<QByteArray>{"\r\n", "\r", "\n", "\r\n"}));
}

TEST_F(TextFileTest, RefusesWhatIsNotAJapaneseTextFile) {
    const auto problemOf = [this](const QByteArray& bytes) {
        EXPECT_TRUE(zel::test::writeBytes(path, bytes));
        return ReadTextFile(path).problem;
    };
    EXPECT_EQ(problemOf("\x81"), FileProblem::NotText); // lead byte without trail
    EXPECT_EQ(problemOf(QByteArray("ab\0cd", 5)), FileProblem::NotText);
    EXPECT_EQ(problemOf("\x7f\x45\x4c\x46\x02\x01"), FileProblem::NotText); // a program
    EXPECT_EQ(problemOf(u"\"カメラ\"\r\n"_qs.toUtf8()), FileProblem::NotText);
    EXPECT_EQ(problemOf("\xef\xbb\xbf[CAMERA]\r\n"), FileProblem::NotText); // UTF-8 mark
    // Shift-JIS with full- and half-width katakana, tab, form feed and end-of-file mark.
    EXPECT_EQ(problemOf("\"\x83\x4a\x83\x81\x83\x89\xb6\xd2\xd7\"\t\f\r\n\x1a"), FileProblem::None);
    EXPECT_EQ(ReadTextFile(path).lines.first(), u"\"カメラｶﾒﾗ\"\t\f"_qs);
}

TEST_F(TextFileTest, RefusesMissingSpecialAndOversizedFilesWithoutBlocking) {
    const auto problemOf = [](const QString& file, qint64 limit = kTextFileMaxBytes) {
        const auto read = ReadTextFile(file, limit);
        EXPECT_FALSE(read.ok) << file.toStdString();
        EXPECT_FALSE(read.error.isEmpty());
        return read.problem;
    };
    // A missing file, a folder and /dev/zero: the title file tests read their exact lines.
    const QString fifo = dir.filePath(u"fifo"_qs);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(problemOf(fifo), FileProblem::NotRegular); // would block forever if opened
    const QString big = dir.filePath(u"big.txt"_qs);
    ASSERT_TRUE(zel::test::writeBytes(big, QByteArray(101, 'x')));
    EXPECT_EQ(problemOf(big, 100), FileProblem::TooLarge);
    EXPECT_TRUE(ReadTextFile(big, 101).ok);
    const QString locked = dir.filePath(u"locked.txt"_qs);
    ASSERT_TRUE(zel::test::writeBytes(locked, "x"));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    if (::geteuid() != 0) { // root reads anything
        EXPECT_EQ(problemOf(locked), FileProblem::Unreadable);
    }
    EXPECT_EQ(FileProblemLine(fifo, FileProblem::NotRegular, 0), fifo + u": not a regular file"_qs);
    EXPECT_EQ(FileProblemText(FileProblem::Unreadable, 1, u"denied"_qs),
              u"読み込めません (denied)"_qs);
}

// A save never puts a regular file in place of a FIFO, a device or a folder. (A text with no
// CP932 form keeps the old file: the title file tests read it back byte for byte.)
TEST_F(TextFileTest, SaveNeverReplacesASpecialFile) {
    const QString fifo = dir.filePath(u"fifo"_qs);
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString toNull = dir.filePath(u"null"_qs);
    ASSERT_TRUE(QFile::link(u"/dev/null"_qs, toNull));
    for (const QString& special : {fifo, toNull, dir.path()}) {
        QString why;
        EXPECT_FALSE(WriteTextFile(special, {u"new"_qs}, &why)) << special.toStdString();
        EXPECT_EQ(why, u"not a regular file"_qs);
    }
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    EXPECT_TRUE(QFileInfo(toNull).isSymLink());
}
