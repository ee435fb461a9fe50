// zelctl with the files people pass by mistake: a title upload from a file that holds no
// titles, a result file that names the send-data file, outputs that cannot be written. Each is
// refused before the first frame, and what was on disk stays as it was.
#include "CameraControllerSim.h"
#include "MistakenTargets.h"
#include "ZelctlTest.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

using namespace zel::test;

constexpr int kTitleCommand = 0xB1;

class OutputCliTest : public ZelctlTest {
protected:
    void prepare() override {
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
    for (const QString& file : {path("notes.txt"), path("zel.ini"), trf})
        for (const bool yes : {false, true}) {
            const QStringList options = Words(yes ? "--quiet --yes" : "--quiet");
            SCOPED_TRACE(file.toStdString() + (yes ? " --yes" : ""));
            const ProgramRun up = run(options + Words("titles upload") << file);
            EXPECT_TRUE(Ended(up, 1, file + u" holds no titles"_qs));
            EXPECT_FALSE(Holds(up.err, "No Error"));
            EXPECT_EQ(run(options + Words("titles check") << file).exitCode, 1);
        }
    EXPECT_EQ(simulator->device().frameCount(kTitleCommand), 0);
    EXPECT_EQ(framesSent(), 0);
}

TEST_F(OutputCliTest, AResultFileThatNamesTheSendDataIsAUsageError) {
    const QByteArray original = readBytes(trf);
    ASSERT_TRUE(QDir().mkpath(path("sub")));
    ASSERT_TRUE(QFile::link(trf, path("link.rsl")));
    for (const QString& same : {trf, path("sub/../x.trf"), path("link.rsl")}) {
        SCOPED_TRACE(same.toStdString());
        EXPECT_TRUE(Ended(run(Words("--quiet test run") << trf << u"--rsl"_qs << same), 2,
                          "names an input file"));
        EXPECT_EQ(run(Words("--quiet test check") << trf << u"-o"_qs << same).exitCode, 2);
    }
    EXPECT_EQ(readBytes(trf), original);
    EXPECT_EQ(framesSent(), 0);
}

TEST_F(OutputCliTest, UnwritableOutputsAreRefusedBeforeTheFirstFrame) {
    const QString locked = ReadOnlyFolder(dir.path()) + u"/out"_qs;
    ASSERT_TRUE(QDir().mkpath(path("folder.ttl")));
    const std::pair<QString, const char*> cases[] = {
        {path("fifo"), "is not a regular file"},
        {u"/dev/null"_qs, "is not a regular file"},
        {path("folder.ttl"), "is a folder"},
        {path("missing/dir/out"), "its folder does not exist"},
        {locked, "its folder cannot be written"},
    };
    for (const auto& [target, reason] : cases) {
        for (const QStringList& command : {Words("test run") << trf << u"--rsl"_qs,
                                           Words("titles download --camera=1 --remote=1"),
                                           Words("backup download --camera=1 --remote=1")}) {
            SCOPED_TRACE((command.join(u' ') + u' ' + target).toStdString());
            EXPECT_TRUE(Ended(run(Words("--quiet") + command << target), 1,
                              target + u": "_qs + QLatin1String(reason), QString()));
        }
        EXPECT_EQ(run(Words("--quiet print test") << trf << u"--pdf"_qs << target).exitCode, 1)
            << target.toStdString();
    }
    EXPECT_EQ(framesSent(), 0);
    EXPECT_FALSE(QFileInfo(path("fifo")).isFile()); // still a FIFO
    EXPECT_TRUE(QFileInfo(u"/dev/null"_qs).exists());
    EXPECT_FALSE(QFileInfo(u"/dev/null"_qs).isFile());
}

TEST_F(OutputCliTest, SiteTitlesDownloadSkipsACameraWhoseFileIsAFolder) {
    // What one camera's download asks.
    ASSERT_EQ(run(cmd("--quiet titles download --camera=1 --remote=1 @one.ttl")).exitCode, 0);
    const int perCamera = simulator->device().frameCount(kTitleCommand);
    ASSERT_GT(perCamera, 0);
    ASSERT_TRUE(QDir().mkpath(path("cam002.ttl")));
    const ProgramRun result = run(cmd("--quiet titles download --camera=1-3 --remote=1 @"));
    EXPECT_TRUE(Ended(result, 1, u"camera 2: %1: is a folder, skipped"_qs.arg(path("cam002.ttl"))));
    EXPECT_TRUE(QFileInfo(path("cam001.ttl")).isFile());
    EXPECT_TRUE(QFileInfo(path("cam003.ttl")).isFile());
    // Camera 2 was never asked: two more cameras' worth of title requests, no more.
    EXPECT_EQ(simulator->device().frameCount(kTitleCommand), 3 * perCamera);
    EXPECT_TRUE(Holds(result.out, "cannot save"));
}
