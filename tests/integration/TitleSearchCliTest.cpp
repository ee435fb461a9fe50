// zelctl titles find | replace on files the tool writes itself.
#include "ZelctlTest.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFileWriter.h"
#include "titletable/TitleCategory.h"

#include "RecordingSink.h"

using namespace zel;
using namespace zel::test;

class TitleSearchCliTest : public ZelctlTest {
protected:
    void SetUp() override {
        ZelctlTest::SetUp();
        if (IsSkipped())
            return;
        TitleDocument document;
        document.CameraNo = u"4"_qs;
        document.setTitle(CategoryCamera, 1, u"DOOR CAM"_qs);
        document.setTitle(CategoryPosition, 2, u"DOOR"_qs);
        document.setTitle(CategoryPosition, 10, u"BACK DOOR"_qs);
        document.setTitle(CategoryPosition, 200, u"DOOR 2"_qs);
        document.setTitle(CategoryAlarm, 3, u"DOOR"_qs);
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

TEST_F(TitleSearchCliTest, FindListsMatchesInNumberOrder) {
    const std::pair<const char*, const char*> found[] = {
        {"find @site.ttl --category 1 DOOR", "2\tDOOR\n10\tBACK DOOR\n200\tDOOR 2\n"},
        {"find @site.ttl --category=1 --whole DOOR", "2\tDOOR\n"},
        {"find @site.ttl --category 0 CAM", "-\tDOOR CAM\n"},
    };
    for (const auto& [args, out] : found)
        EXPECT_TRUE(Ended(titles(args), 0, "", out)) << args;
    EXPECT_TRUE(Ended(titles("find @site.ttl --category 4 DOOR"), 1, "Reached the last line.", ""));
}

TEST_F(TitleSearchCliTest, ReplaceAllWritesTheOutputOrTheFileItself) {
    EXPECT_TRUE(
        Ended(titles("replace @site.ttl --category 1 --find DOOR --replace GATE -o @out.ttl"), 0,
              "", "3 pieces replaced.\n"));
    EXPECT_EQ(readBytes(file), original);
    EXPECT_EQ(titles("find @out.ttl --category 1 GATE").out,
              u"2\tGATE\n10\tBACK GATE\n200\tGATE 2\n"_qs);
    // Other categories and the numbers are untouched.
    EXPECT_EQ(titles("find @out.ttl --category 6 DOOR").out, u"3\tDOOR\n"_qs);

    // Typed in Japanese the texts are widened as the dialog widens them: no match.
    EXPECT_EQ(titles("--lang ja replace @site.ttl --category 6 --whole --find DOOR --replace EXIT")
                  .exitCode,
              1);
    EXPECT_EQ(titles("replace @site.ttl --category 6 --whole --find DOOR --replace EXIT").out,
              u"1 pieces replaced.\n"_qs);
    EXPECT_EQ(titles("find @site.ttl --category 6 EXIT").out, u"3\tEXIT\n"_qs);
}

TEST_F(TitleSearchCliTest, NothingMatchedOrBadInputWritesNothing) {
    const QString out = path("never.ttl");
    EXPECT_TRUE(
        Ended(titles("replace @site.ttl --category 1 --find WINDOW --replace X -o @never.ttl"), 1,
              "Reached the last line.", ""));
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
