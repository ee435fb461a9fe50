// zelctl titles export | import as separate processes: files, standard streams, bad rows.
#include "TestFiles.h"
#include "TextHolds.h"
#include "ZelctlTest.h"

#include <QDir>
#include <sys/stat.h>

using namespace zel::test;

namespace {

QString seed(const char* name) {
    return QDir::cleanPath(QStringLiteral(ZEL_TEST_DATA_DIR "/../fuzz/seeds/ttl/") +
                           QString::fromLatin1(name));
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

    const ProgramRun in = runWithInput(cmd("titles import - @in.ttl"),
                                       {"category,number,title\nPOSITION,3,P3\n", {}});
    EXPECT_EQ(in.exitCode, 0) << in.err.toStdString();
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
    const ProgramRun result = run(cmd("titles import @bad.csv @out.ttl"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, QStringLiteral("5: POSITION 1 already given on line 4\n"
                                         "6: unknown category 'FOO'\n"
                                         "7: TRACE number must be 1 to 2, not '3'\n"
                                         "8: title 'NINECHARS' is longer than 8 characters\n"
                                         "zelctl: titles: %1: 4 bad rows; %2 not written\n")
                              .arg(csv, ttl));
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

} // namespace
