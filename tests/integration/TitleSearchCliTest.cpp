// zelctl titles find | replace on files the tool writes itself.
#include "TestFiles.h"
#include "TextHolds.h"
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
    // zelctl titles `args`, read as ZelctlTest::cmd reads them.
    ProgramRun titles(const char* args) { return run(Words("titles") + cmd(args)); }

    QString file;
    QByteArray original;
};

} // namespace

TEST_F(TitleSearchCliTest, FindListsMatchesInNumberOrder) {
    const std::pair<const char*, const char*> found[] = {
        {"find @site.ttl --category 1 DOOR", "2\tDOOR\n10\tBACK DOOR\n200\tDOOR 2\n"},
        {"find @site.ttl --category=1 --whole DOOR", "2\tDOOR\n"},
        {"find @site.ttl --category 0 CAM", "-\tDOOR CAM\n"},
    };
    for (const auto& [args, out] : found) {
        const ProgramRun result = titles(args);
        EXPECT_EQ(result.exitCode, 0) << args << result.err.toStdString();
        EXPECT_EQ(result.out, QLatin1String(out)) << args;
    }
    const ProgramRun none = titles("find @site.ttl --category 4 DOOR");
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_TRUE(Holds(none.err, "Reached the last line."));
}

TEST_F(TitleSearchCliTest, ReplaceAllWritesTheOutputOrTheFileItself) {
    ProgramRun replaced =
        titles("replace @site.ttl --category 1 --find DOOR --replace GATE -o @out.ttl");
    EXPECT_EQ(replaced.exitCode, 0) << replaced.err.toStdString();
    EXPECT_EQ(replaced.out, QStringLiteral("3 pieces replaced.\n"));
    EXPECT_EQ(readBytes(file), original);
    EXPECT_EQ(titles("find @out.ttl --category 1 GATE").out,
              QStringLiteral("2\tGATE\n10\tBACK GATE\n200\tGATE 2\n"));
    // Other categories and the numbers are untouched.
    EXPECT_EQ(titles("find @out.ttl --category 6 DOOR").out, QStringLiteral("3\tDOOR\n"));

    // Typed in Japanese the texts are widened as the dialog widens them: no match.
    EXPECT_EQ(titles("--lang ja replace @site.ttl --category 6 --whole --find DOOR --replace EXIT")
                  .exitCode,
              1);
    replaced = titles("replace @site.ttl --category 6 --whole --find DOOR --replace EXIT");
    EXPECT_EQ(replaced.out, QStringLiteral("1 pieces replaced.\n"));
    EXPECT_EQ(titles("find @site.ttl --category 6 EXIT").out, QStringLiteral("3\tEXIT\n"));
}

TEST_F(TitleSearchCliTest, NothingMatchedOrBadInputWritesNothing) {
    const QString out = path("never.ttl");
    const ProgramRun none =
        titles("replace @site.ttl --category 1 --find WINDOW --replace X -o @never.ttl");
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_TRUE(Holds(none.err, "Reached the last line."));
    EXPECT_TRUE(none.out.isEmpty());
    EXPECT_EQ(readBytes(out), QByteArray("<missing>"));

    ASSERT_TRUE(writeBytes(path("garbage.ttl"), QByteArray("\x81\xff\x00\x93 not titles", 16)));
    expectRuns({
        {"titles replace @garbage.ttl --category 1 --find A --replace B -o @never.ttl", 1,
         "garbage.ttl: not a Japanese (Shift-JIS) text file"},
        {"titles replace @missing.ttl --category 1 --find A --replace B -o @never.ttl", 1,
         "missing.ttl: no such file"},
        {"titles replace @ --category 1 --find A --replace B -o @never.ttl", 1,
         ": not a regular file"},
        // A replacement the file's code page cannot hold.
        {"titles replace @site.ttl --category 1 --find DOOR --replace \U0001F6AA -o @never.ttl", 1,
         "never.ttl: a character cannot be written in CP932"},
        {"titles find @site.ttl --category 9 A", 2},
        {"titles find @site.ttl --category x A", 2},
        {"titles find @site.ttl A", 2},
        {"titles replace @site.ttl --category 1 --find A", 2},
        {"titles replace @site.ttl --category 1 --bogus --find A", 2},
    });
    EXPECT_EQ(readBytes(out), QByteArray("<missing>"));
    for (const QString& text : {QString(), QString(129, u'A')})
        EXPECT_EQ(run(cmd("titles find @site.ttl --category 1") << text).exitCode, 2);
    EXPECT_EQ(
        run(cmd("titles replace @site.ttl --category 1 --find A --replace") << QString()).exitCode,
        2);
    EXPECT_EQ(readBytes(file), original);
}
