#include "common/TextFile.h"
#include "TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;

TEST(TextFile, Cp932RoundTripWithCrLf) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("a.txt"));
    const QStringList lines{QStringLiteral("1 :リモコン番号"), QString(),
                            QStringLiteral("ABC\t\"x\"")};
    ASSERT_TRUE(WriteTextFile(path, lines));
    QFile raw(path);
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    const QByteArray bytes = raw.readAll();
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_TRUE(bytes.contains(QByteArray("\x83\x8a"))); // リ in CP932
    const auto read = ReadTextFile(path);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.lines, lines);
}

TEST(TextFile, LfOnlyAndBadBytes) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("b.txt"));
    ASSERT_TRUE(zel::test::writeBytes(path, "one\ntwo\r\nthree"));
    auto read = ReadTextFile(path);
    ASSERT_TRUE(read.ok);
    EXPECT_EQ(read.lines,
              (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}));
    ASSERT_TRUE(zel::test::writeBytes(path, "\x81")); // lead byte without trail
    EXPECT_FALSE(ReadTextFile(path).ok);
    EXPECT_FALSE(ReadTextFile(dir.filePath(QStringLiteral("missing"))).ok);
}

TEST(TextFile, UnwritableKeepsOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("c.txt"));
    ASSERT_TRUE(WriteTextFile(path, {QStringLiteral("old")}));
    // A character with no CP932 form refuses the write and keeps the file.
    EXPECT_FALSE(WriteTextFile(path, {QString(QChar(0x0101))}));
    EXPECT_EQ(ReadTextFile(path).lines, QStringList{QStringLiteral("old")});
}
