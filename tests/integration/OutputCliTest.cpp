// zelctl with the files people pass by mistake: a title upload from a file that holds no
// titles, a result file that names the send-data file, outputs that cannot be written. Each is
// refused before the first frame, and what was on disk stays as it was.
#include "CameraControllerSim.h"
#include "MistakenTargets.h"
#include "TestFiles.h"
#include "TextHolds.h"
#include "ZelctlTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

using namespace zel::test;

namespace {

constexpr int kTitleCommand = 0xB1;

class OutputCliTest : public ZelctlTest {
protected:
    void SetUp() override {
        ZelctlTest::SetUp();
        if (IsSkipped())
            return;
        startSimulator();
        trf = path("x.trf");
        ASSERT_TRUE(writeBytes(trf, SendDataFileBytes()));
        ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    }
    int framesSent() { return simulator->device().framesReceived(); }

    QString trf;
};

TEST_F(OutputCliTest, FilesWithoutTitlesAreNeverUploaded) {
    ASSERT_TRUE(writeBytes(path("notes.txt"), "Lobby camera 3 is loose.\r\nCall on Monday.\r\n"));
    ASSERT_TRUE(writeBytes(path("zel.ini"), "[RS232C]\r\nPort=1\r\n"));
    for (const QString& file : {path("notes.txt"), path("zel.ini"), trf}) {
        for (const bool yes : {false, true}) {
            const QStringList options = Words(yes ? "--quiet --yes" : "--quiet");
            const ProgramRun up = run(options + Words("titles upload") << file);
            EXPECT_EQ(up.exitCode, 1) << file.toStdString() << ' ' << yes;
            EXPECT_TRUE(Holds(up.err, file + QStringLiteral(" holds no titles")));
            EXPECT_FALSE(Holds(up.err, "No Error"));
            const ProgramRun check = run(options + Words("titles check") << file);
            EXPECT_EQ(check.exitCode, 1) << file.toStdString() << ' ' << yes;
        }
    }
    EXPECT_EQ(simulator->device().frameCount(kTitleCommand), 0);
    EXPECT_EQ(framesSent(), 0);
}

TEST_F(OutputCliTest, AResultFileThatNamesTheSendDataIsAUsageError) {
    const QByteArray original = readBytes(trf);
    ASSERT_TRUE(QDir().mkpath(path("sub")));
    ASSERT_TRUE(QFile::link(trf, path("link.rsl")));
    for (const QString& same : {trf, path("sub/../x.trf"), path("link.rsl")}) {
        const ProgramRun result = run(Words("--quiet test run") << trf << Words("--rsl") << same);
        EXPECT_EQ(result.exitCode, 2) << same.toStdString();
        EXPECT_TRUE(Holds(result.err, "names an input file"));
        const ProgramRun check = run(Words("--quiet test check") << trf << Words("-o") << same);
        EXPECT_EQ(check.exitCode, 2) << same.toStdString();
    }
    EXPECT_EQ(readBytes(trf), original);
    EXPECT_EQ(framesSent(), 0);
}

TEST_F(OutputCliTest, UnwritableOutputsAreRefusedBeforeTheFirstFrame) {
    const QString locked = ReadOnlyFolder(dir.path()) + QStringLiteral("/out");
    ASSERT_TRUE(QDir().mkpath(path("folder.ttl")));
    struct Case {
        QString target;
        const char* reason;
    };
    const QList<Case> cases{
        {path("fifo"), "is not a regular file"},
        {QStringLiteral("/dev/null"), "is not a regular file"},
        {path("folder.ttl"), "is a folder"},
        {path("missing/dir/out"), "its folder does not exist"},
        {locked, "its folder cannot be written"},
    };
    const QString camera = QStringLiteral("--camera=1");
    const QString remote = QStringLiteral("--remote=1");
    for (const Case& c : cases) {
        const QList<QStringList> commands{
            Words("test run") << trf << Words("--rsl") << c.target,
            Words("titles download") << camera << remote << c.target,
            Words("backup download") << camera << remote << c.target,
        };
        for (const QStringList& command : commands) {
            SCOPED_TRACE(command.join(QLatin1Char(' ')).toStdString());
            const ProgramRun result = run(Words("--quiet") + command);
            EXPECT_EQ(result.exitCode, 1);
            EXPECT_TRUE(
                Holds(result.err, c.target + QStringLiteral(": ") + QLatin1String(c.reason)));
            EXPECT_EQ(result.out, QString());
        }
        const ProgramRun pdf =
            run(Words("--quiet print test") << trf << Words("--pdf") << c.target);
        EXPECT_EQ(pdf.exitCode, 1) << c.target.toStdString();
    }
    EXPECT_EQ(framesSent(), 0);
    EXPECT_FALSE(QFileInfo(path("fifo")).isFile()); // still a FIFO
    EXPECT_TRUE(QFileInfo(QStringLiteral("/dev/null")).exists());
    EXPECT_FALSE(QFileInfo(QStringLiteral("/dev/null")).isFile());
}

TEST_F(OutputCliTest, SiteTitlesDownloadSkipsACameraWhoseFileIsAFolder) {
    // What one camera's download asks.
    ASSERT_EQ(run(cmd("--quiet titles download --camera=1 --remote=1 @one.ttl")).exitCode, 0);
    const int perCamera = simulator->device().frameCount(kTitleCommand);
    ASSERT_GT(perCamera, 0);
    ASSERT_TRUE(QDir().mkpath(path("cam002.ttl")));
    const ProgramRun result = run(cmd("--quiet titles download --camera=1-3 --remote=1 @"));
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(Holds(
        result.err, QStringLiteral("camera 2: %1: is a folder, skipped").arg(path("cam002.ttl"))));
    EXPECT_TRUE(QFileInfo(path("cam001.ttl")).isFile());
    EXPECT_TRUE(QFileInfo(path("cam003.ttl")).isFile());
    // Camera 2 was never asked: two more cameras' worth of title requests, no more.
    EXPECT_EQ(simulator->device().frameCount(kTitleCommand), 3 * perCamera);
    EXPECT_TRUE(Holds(result.out, "cannot save"));
}

} // namespace
