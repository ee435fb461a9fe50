// zelctl titles find | replace on files the tool writes itself.
#include "TestFiles.h"
#include "ZelctlTest.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFileWriter.h"
#include "titletable/TitleCategory.h"

#include "RecordingSink.h"

using namespace zel;
using namespace zel::test;

namespace {

class TitleSearchCliTest : public ZelctlTest {
protected:
    void SetUp() override {
        ZelctlTest::SetUp();
        if (IsSkipped())
            return;
        TitleDocument document;
        document.CameraNo = QStringLiteral("4");
        document.setTitle(CategoryCamera, 1, QStringLiteral("DOOR CAM"));
        document.setTitle(CategoryPosition, 2, QStringLiteral("DOOR"));
        document.setTitle(CategoryPosition, 10, QStringLiteral("BACK DOOR"));
        document.setTitle(CategoryPosition, 200, QStringLiteral("DOOR 2"));
        document.setTitle(CategoryAlarm, 3, QStringLiteral("DOOR"));
        LanguageTables language;
        RecordingSink sink;
        file = path("site.ttl");
        ASSERT_TRUE(WriteTitleFile(file, document, TitleFileLabelsFor(language), sink));
        original = readBytes(file);
    }
    ProgramRun titles(const QStringList& args) {
        return run(QStringList{QStringLiteral("titles")} + args);
    }
    static QString s(const char* text) { return QString::fromUtf8(text); }

    QString file;
    QByteArray original;
};

} // namespace

TEST_F(TitleSearchCliTest, FindListsMatchesInNumberOrder) {
    ProgramRun found = titles({s("find"), file, s("--category"), s("1"), s("DOOR")});
    EXPECT_EQ(found.exitCode, 0) << found.err.toStdString();
    EXPECT_EQ(found.out, s("2\tDOOR\n10\tBACK DOOR\n200\tDOOR 2\n"));
    found = titles({s("find"), file, s("--category=1"), s("--whole"), s("DOOR")});
    EXPECT_EQ(found.out, s("2\tDOOR\n"));
    found = titles({s("find"), file, s("--category"), s("0"), s("CAM")});
    EXPECT_EQ(found.out, s("-\tDOOR CAM\n"));
    const ProgramRun none = titles({s("find"), file, s("--category"), s("4"), s("DOOR")});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_TRUE(none.err.contains(s("Reached the last line."))) << none.err.toStdString();
}

TEST_F(TitleSearchCliTest, ReplaceAllWritesTheOutputOrTheFileItself) {
    const QString out = path("out.ttl");
    ProgramRun replaced = titles({s("replace"), file, s("--category"), s("1"), s("--find"),
                                  s("DOOR"), s("--replace"), s("GATE"), s("-o"), out});
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err.toStdString();
    EXPECT_EQ(replaced.out, s("3 pieces replaced.\n"));
    EXPECT_EQ(readBytes(file), original);
    ProgramRun found = titles({s("find"), out, s("--category"), s("1"), s("GATE")});
    EXPECT_EQ(found.out, s("2\tGATE\n10\tBACK GATE\n200\tGATE 2\n"));
    // Other categories and the numbers are untouched.
    found = titles({s("find"), out, s("--category"), s("6"), s("DOOR")});
    EXPECT_EQ(found.out, s("3\tDOOR\n"));

    replaced = titles({s("--lang"), s("ja"), s("replace"), file, s("--category"), s("6"),
                       s("--whole"), s("--find"), s("DOOR"), s("--replace"), s("EXIT")});
    // Typed in Japanese the texts are widened as the dialog widens them: no match.
    EXPECT_EQ(replaced.exitCode, 1);
    replaced = titles({s("replace"), file, s("--category"), s("6"), s("--whole"), s("--find"),
                       s("DOOR"), s("--replace"), s("EXIT")});
    EXPECT_EQ(replaced.out, s("1 pieces replaced.\n"));
    EXPECT_EQ(titles({s("find"), file, s("--category"), s("6"), s("EXIT")}).out, s("3\tEXIT\n"));
}

TEST_F(TitleSearchCliTest, NothingMatchedOrBadInputWritesNothing) {
    const QString out = path("never.ttl");
    const ProgramRun none = titles({s("replace"), file, s("--category"), s("1"), s("--find"),
                                    s("WINDOW"), s("--replace"), s("X"), s("-o"), out});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.err.contains(s("Reached the last line.")));
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_EQ(readBytes(out), QByteArray("<missing>"));

    const QString garbage = path("garbage.ttl");
    ASSERT_TRUE(writeBytes(garbage, QByteArray("\x81\xff\x00\x93 not titles", 16)));
    const QList<QStringList> failing{
        {s("replace"), garbage, s("--category"), s("1"), s("--find"), s("A"), s("--replace"),
         s("B"), s("-o"), out},
        {s("replace"), path("missing.ttl"), s("--category"), s("1"), s("--find"), s("A"),
         s("--replace"), s("B"), s("-o"), out},
        {s("replace"), dir.path(), s("--category"), s("1"), s("--find"), s("A"), s("--replace"),
         s("B"), s("-o"), out},
        // A replacement the file's code page cannot hold.
        {s("replace"), file, s("--category"), s("1"), s("--find"), s("DOOR"), s("--replace"),
         s("\U0001F6AA"), s("-o"), out},
    };
    for (const QStringList& args : failing) {
        const ProgramRun failed = titles(args);
        EXPECT_EQ(failed.exitCode, 1) << args.join(u' ').toStdString();
        EXPECT_FALSE(failed.err.isEmpty());
        EXPECT_EQ(readBytes(out), QByteArray("<missing>"));
    }
    const QList<QStringList> usage{
        {s("find"), file, s("--category"), s("9"), s("A")},
        {s("find"), file, s("--category"), s("x"), s("A")},
        {s("find"), file, s("A")},
        {s("find"), file, s("--category"), s("1"), QString()},
        {s("find"), file, s("--category"), s("1"), QString(129, u'A')},
        {s("replace"), file, s("--category"), s("1"), s("--find"), s("A")},
        {s("replace"), file, s("--category"), s("1"), s("--find"), s("A"), s("--replace"),
         QString()},
        {s("replace"), file, s("--category"), s("1"), s("--bogus"), s("--find"), s("A")},
    };
    for (const QStringList& args : usage)
        EXPECT_EQ(titles(args).exitCode, 2) << args.join(u' ').toStdString();
    EXPECT_EQ(readBytes(file), original);
}
