// Opening a file that is not a readable title file leaves the window's document as it was.
#include "RecordingSink.h"
#include "TestFiles.h"
#include "common/MessageNumber.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFiles.h"
#include "titles/TitleSlots.h"
#include "titletable/TitleCategory.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using zel::test::RecordingSink;
using zel::test::writeBytes;

namespace {

QByteArray randomBytes(int size) {
    QByteArray bytes(size, '\0');
    QRandomGenerator generator(42);
    for (char& byte : bytes)
        byte = char(generator.bounded(256));
    return bytes;
}

} // namespace

TEST(TitleOpenGuard, UnreadableOrForeignFilesLeaveTheDocumentAsItWas) {
    QTemporaryDir dir;
    TitleSlots titleSlots;
    RecordingSink sink;
    LanguageTables language;
    TitleDocument document;
    TitleFiles files(titleSlots, 1, document, sink, language);
    const QString kept = dir.filePath(QStringLiteral("kept.ttl"));
    document.setTitle(CategoryPosition, 4, QStringLiteral("KEEP"));
    document.CameraNo = QStringLiteral("9");
    ASSERT_TRUE(files.saveAs(kept));
    document.setTitle(CategoryPosition, 5, QStringLiteral("EDIT"));
    document.TitleModified = true;

    const QString random = dir.filePath(QStringLiteral("random.ttl"));
    ASSERT_TRUE(writeBytes(random, randomBytes(4096)));
    const QString empty = dir.filePath(QStringLiteral("empty.ttl"));
    ASSERT_TRUE(writeBytes(empty, QByteArray()));

    for (const QString& bad :
         {dir.filePath(QStringLiteral("missing.ttl")), dir.path(), random, empty}) {
        sink.clear();
        EXPECT_EQ(files.ReadTitleFile(bad), TitleOpenResult::NotLoaded) << qPrintable(bad);
        ASSERT_EQ(sink.shown.size(), 1) << qPrintable(bad);
        EXPECT_EQ(sink.shown[0].number, MessageError);
        EXPECT_EQ(document.title(CategoryPosition, 4), QStringLiteral("KEEP"));
        EXPECT_EQ(document.title(CategoryPosition, 5), QStringLiteral("EDIT"));
        EXPECT_EQ(document.CameraNo, QStringLiteral("9"));
        EXPECT_TRUE(document.TitleModified);
        EXPECT_EQ(files.path(), kept);
        EXPECT_EQ(titleSlots.TitleFileName(1), kept);
    }
    // A missing file names itself and the reason.
    sink.clear();
    files.ReadTitleFile(dir.filePath(QStringLiteral("gone.ttl")));
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_TRUE(sink.shown[0].extra.startsWith(dir.filePath(QStringLiteral("gone.ttl"))));
}

TEST(TitleOpenGuard, TextWithoutATitleSectionIsNoTitleFile) {
    QTemporaryDir dir;
    TitleSlots titleSlots;
    RecordingSink sink;
    sink.defaultAnswer = ButtonYes; // "Keep file reading ?" answered Yes changes nothing
    LanguageTables language;
    TitleDocument document;
    TitleFiles files(titleSlots, 1, document, sink, language);
    document.setTitle(CategoryPosition, 4, QStringLiteral("KEEP"));
    struct Case {
        const char* name;
        QByteArray text;
    };
    const QList<Case> cases{
        {"notes.txt", "Call the installer on Monday.\r\nLobby camera 3 is loose.\r\n"},
        {"zel.ini", "[RS232C]\r\nPort=1\r\nRate=9600\r\n"},
        // A send-data file's first lines are numbers, as a title file's are.
        {"x.trf", "1 :REMOTE No.\r\n2 :CAMERA No.\r\n0\r\n\"FE0801\"\r\n"},
        {"headers.ttl", "1:REMOTE\r\n1:CAMERA\r\n[POSITIONS]\r\n\"A\"\r\n"},
    };
    for (const Case& c : cases) {
        const QString file = dir.filePath(QString::fromLatin1(c.name));
        ASSERT_TRUE(writeBytes(file, c.text));
        sink.clear();
        EXPECT_EQ(files.ReadTitleFile(file), TitleOpenResult::NotLoaded) << c.name;
        ASSERT_EQ(sink.numbers(), QList<int>{MessageError}) << c.name;
        EXPECT_EQ(sink.shown[0].extra, file + QStringLiteral(" holds no titles"));
        EXPECT_EQ(document.title(CategoryPosition, 4), QStringLiteral("KEEP"));
        EXPECT_FALSE(files.hasPath());
    }
    // One section header is enough, even with blanks around it.
    const QString one = dir.filePath(QStringLiteral("one.ttl"));
    ASSERT_TRUE(writeBytes(one, "1:REMOTE\r\n1:CAMERA\r\n [ POSITION ] \r\n\"A\"\r\n"));
    sink.clear();
    EXPECT_EQ(files.ReadTitleFile(one), TitleOpenResult::Loaded);
    EXPECT_TRUE(sink.shown.isEmpty());
}
