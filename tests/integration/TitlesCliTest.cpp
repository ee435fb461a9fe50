// zelctl titles as separate processes: files that cannot be read (a message naming the file
// and the reason, exit status 1 and not one frame on the line), export | import through files
// and standard streams, and find | replace on files the tool writes itself.
#include "CameraControllerSim.h"
#include "FileSizeLimit.h"
#include "RecordingSink.h"
#include "ZelctlTest.h"
#include "common/TextFile.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFileWriter.h"
#include "titletable/TitleCategory.h"

#include <QDir>
#include <sys/stat.h>

using namespace zel;
using namespace zel::test;

constexpr int kTitleCommand = 0xB1;

class TitlesCliTest : public ZelctlTest {
protected:
    ProgramRun titles(const QString& sub, const QString& file) {
        return run(Words("--quiet titles") << sub << file);
    }
};

TEST_F(TitlesCliTest, UnreadableFilesAreNeitherCheckedNorUploaded) {
    startSimulator();
    ASSERT_TRUE(writeBytes(path("random.ttl"), QByteArray::fromHex("00ff8f13fe2b7c0d9e41a0")));
    ASSERT_TRUE(writeBytes(path("utf8.ttl"), u"1:リモコン番号\r\n"_qs.toUtf8()));
    ASSERT_TRUE(writeBytes(path("empty.ttl"), QByteArray()));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.ttl")).constData(), 0600), 0);
    const std::pair<QString, const char*> cases[] = {
        {path("missing.ttl"), "no such file"},
        {dir.path(), "not a regular file"},
        {path("fifo.ttl"), "not a regular file"},
        {u"/dev/zero"_qs, "not a regular file"},
        {path("random.ttl"), "not a Japanese (Shift-JIS) text file"},
        {path("utf8.ttl"), "not a Japanese (Shift-JIS) text file"},
        {path("empty.ttl"), "holds no data"},
    };
    for (const auto& [file, reason] : cases) {
        const QString expected = u"Error message: "_qs + file + u": "_qs + QLatin1String(reason);
        for (const QString& sub : Words("upload check"))
            EXPECT_TRUE(Ended(titles(sub, file), 1, expected)) << sub.toStdString();
    }
    EXPECT_EQ(simulator->device().frameCount(kTitleCommand), 0);
}

TEST_F(TitlesCliTest, FailedSaveAfterDownloadIsNotReportedAsDone) {
    startSimulator();
    const QString file = path("cam1.ttl");
    ASSERT_TRUE(writeBytes(file, "old titles"));
    ProgramRun down;
    {
        FileSizeLimit disk(200); // zelctl inherits it: the title file cannot be written
        ASSERT_TRUE(disk.active());
        down = run(Words("--quiet titles download --camera=1 --remote=1") << file);
    }
    EXPECT_TRUE(Ended(down, 1, u"Cannot be saved at the file. "_qs + file + u": "_qs, QString()));
    EXPECT_FALSE(Holds(down.err, "file written"));
    EXPECT_EQ(readBytes(file), QByteArray("old titles")); // never cut short in its place
}

TEST_F(TitlesCliTest, CarriageReturnOnlyFileUploadsItsTitles) {
    startSimulator();
    const QString file = path("cr.ttl");
    ASSERT_TRUE(writeBytes(file, "1:Controller No\r2:Camera No\r[CAMERA]\r\"GATE\"\r"));
    EXPECT_TRUE(Ended(titles(u"check"_qs, file), 0));
    ASSERT_TRUE(Ended(titles(u"upload"_qs, file), 0));
    const QString copy = path("copy.ttl");
    ASSERT_TRUE(Ended(run(Words("--quiet titles download --camera=2 --remote=1") << copy), 0,
                      u"file written: %1\n"_qs.arg(copy), u"Transmission is completed.\n"_qs));
    EXPECT_EQ(zel::ReadTextFile(copy).lines.value(3), u"\"GATE\""_qs);
}

static QString seed(const char* name) {
    return QDir::cleanPath(u"" ZEL_TEST_DATA_DIR "/../fuzz/seeds/ttl/"_qs + QLatin1String(name));
}

class TitleCsvCliTest : public ZelctlTest {};

TEST_F(TitleCsvCliTest, ExportThenImportGivesTheSameFile) {
    for (const auto& [name, lang] :
         {std::pair{"written-en.ttl", "en"}, std::pair{"written-ja.ttl", "ja"}}) {
        const QStringList language = Words("--lang") << QLatin1String(lang);
        const ProgramRun out =
            run(Words("titles export") << seed(name) << path("t.csv") << language);
        ASSERT_EQ(out.exitCode, 0) << out.err.toStdString();
        EXPECT_TRUE(readBytes(path("t.csv")).startsWith("\xEF\xBB\xBF#REMOTE,"));
        const ProgramRun in = run(Words("titles") + language + cmd("import @t.csv @back.ttl"));
        ASSERT_EQ(in.exitCode, 0) << in.err.toStdString();
        EXPECT_EQ(readBytes(path("back.ttl")), readBytes(seed(name))) << name;
    }
}

TEST_F(TitleCsvCliTest, StandardOutputAndStandardInput) {
    const ProgramRun out = run(Words("titles export") << seed("written-en.ttl") << Words("-"));
    ASSERT_EQ(out.exitCode, 0) << out.err.toStdString();
    EXPECT_TRUE(Holds(out.out, "\r\ncategory,number,title\r\nCAMERA,1,CAM 1\r\n"));

    EXPECT_TRUE(Ended(runWithInput(cmd("titles import - @in.ttl"),
                                   {"category,number,title\nPOSITION,3,P3\n", {}}),
                      0));
    const QByteArray written = readBytes(path("in.ttl"));
    EXPECT_TRUE(written.contains("[POSITION]\r\n\"\"\r\n\"\"\r\n\"P3\"\r\n"))
        << written.constData();
}

TEST_F(TitleCsvCliTest, BadRowsAreListedAndNothingIsWritten) {
    const QString csv = path("bad.csv");
    ASSERT_TRUE(writeBytes(csv, "#REMOTE,1\r\n#CAMERA,1\r\ncategory,number,title\r\n"
                                "POSITION,1,OK\r\nPOSITION,1,AGAIN\r\nFOO,1,A\r\n"
                                "TRACE,3,A\r\nHOME,1,NINECHARS\r\n"));
    const QString ttl = path("out.ttl");
    ASSERT_TRUE(writeBytes(ttl, "old"));
    EXPECT_TRUE(Ended(run(cmd("titles import @bad.csv @out.ttl")), 1,
                      u"5: POSITION 1 already given on line 4\n"
                      "6: unknown category 'FOO'\n"
                      "7: TRACE number must be 1 to 2, not '3'\n"
                      "8: title 'NINECHARS' is longer than 8 characters\n"
                      "zelctl: titles: %1: 4 bad rows; %2 not written\n"_qs.arg(csv, ttl)));
    EXPECT_EQ(readBytes(ttl), QByteArray("old"));

    // Not a title CSV: refused on its first line.
    const ProgramRun refused = run(Words("titles import") << seed("written-en.ttl") << ttl);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(StartsWith(refused.err, "1: not a title CSV"));
    EXPECT_EQ(readBytes(ttl), QByteArray("old"));
}

TEST_F(TitleCsvCliTest, FilesThatCannotBeUsedAreNamedWithTheReason) {
    ASSERT_TRUE(writeBytes(path("en.ttl"), readBytes(seed("written-en.ttl"))));
    ASSERT_EQ(run(cmd("titles export @en.ttl @t.csv")).exitCode, 0);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    ASSERT_TRUE(writeBytes(path("huge.csv"), QByteArray(2 * 1024 * 1024, 'a')));
    expectRuns({
        {"titles import @t.csv @t.csv", 2, "the output is the input"},
        {"titles export @en.ttl @en.ttl", 2, "the output is the input"},
        {"titles import @missing.csv @x.ttl", 1, "missing.csv: no such file"},
        {"titles import @ @x.ttl", 1, "not a regular file"},
        {"titles import @t.csv @fifo", 1, "fifo: not a regular file; nothing written"},
        {"titles export @en.ttl @", 1, "not a regular file; nothing written"},
        {"titles export @missing.ttl @x.csv", 1, "no such file"},
        {"titles export @en.ttl", 2, "usage: titles export"},
        {"titles import @t.csv -", 2, "not standard output"},
        {"titles export --x @t.csv @y.ttl", 2, "unknown option '--x'"},
        {"titles import @huge.csv @x.ttl", 1, "file too large"},
    });
    EXPECT_FALSE(QFile::exists(path("x.ttl")));
    EXPECT_FALSE(QFile::exists(path("x.csv")));
}

class TitleSearchCliTest : public ZelctlTest {
protected:
    void prepare() override {
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

    QString file;
    QByteArray original;
};

TEST_F(TitleSearchCliTest, FindListsMatchesInNumberOrder) {
    expectRuns({
        {"titles find @site.ttl --category 1 DOOR", 0, "", "2\tDOOR\n10\tBACK DOOR\n200\tDOOR 2\n"},
        {"titles find @site.ttl --category=1 --whole DOOR", 0, "", "2\tDOOR\n"},
        {"titles find @site.ttl --category 0 CAM", 0, "", "-\tDOOR CAM\n"},
        {"titles find @site.ttl --category 4 DOOR", 1, "Reached the last line.", ""},
    });
}

TEST_F(TitleSearchCliTest, ReplaceAllWritesTheOutputOrTheFileItself) {
    expectRuns({{"titles replace @site.ttl --category 1 --find DOOR --replace GATE -o @out.ttl", 0,
                 "", "3 pieces replaced.\n"}});
    EXPECT_EQ(readBytes(file), original);
    expectRuns({
        {"titles find @out.ttl --category 1 GATE", 0, "", "2\tGATE\n10\tBACK GATE\n200\tGATE 2\n"},
        // Other categories and the numbers are untouched.
        {"titles find @out.ttl --category 6 DOOR", 0, "", "3\tDOOR\n"},
        // Typed in Japanese the texts are widened as the dialog widens them: no match.
        {"titles --lang ja replace @site.ttl --category 6 --whole --find DOOR --replace EXIT", 1},
        {"titles replace @site.ttl --category 6 --whole --find DOOR --replace EXIT", 0, "",
         "1 pieces replaced.\n"},
        {"titles find @site.ttl --category 6 EXIT", 0, "", "3\tEXIT\n"},
    });
}

TEST_F(TitleSearchCliTest, NothingMatchedOrBadInputWritesNothing) {
    ASSERT_TRUE(writeBytes(path("garbage.ttl"), QByteArray("\x81\xff\x00\x93 not titles", 16)));
    expectRuns({
        {"titles replace @site.ttl --category 1 --find WINDOW --replace X -o @never.ttl", 1,
         "Reached the last line.", ""},
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
    EXPECT_EQ(readBytes(path("never.ttl")), QByteArray("<missing>"));
    for (const QString& text : {QString(), QString(129, u'A')})
        EXPECT_EQ(run(cmd("titles find @site.ttl --category 1") << text).exitCode, 2);
    EXPECT_EQ(
        run(cmd("titles replace @site.ttl --category 1 --find A --replace") << QString()).exitCode,
        2);
    EXPECT_EQ(readBytes(file), original);
}
