// zelctl backup diff: two files, and a file against the camera of the simulator, read only.
#include "CameraControllerSim.h"
#include "FaultRules.h"
#include "TestFiles.h"
#include "TextHolds.h"
#include "ZelctlTest.h"

using namespace zel::sim;
using namespace zel::test;

namespace {

constexpr int kBackupCommand = 0xC1;

class BackupDiffCliTest : public ZelctlTest {
protected:
    ProgramRun diff(const QStringList& args) { return run(Words("--quiet backup diff") + args); }
    QString image(const char* name, const QByteArray& bytes) {
        const QString file = path(name);
        EXPECT_TRUE(writeBytes(file, bytes));
        return file;
    }
    QStringList cameraArgs(const QString& file) { return Words("--camera 2 --remote 1") << file; }
};

// The report itself, all blocks different included, is pinned in BackupComparisonTest.
TEST_F(BackupDiffCliTest, TwoFilesIdenticalAndOneByteDifferent) {
    const QByteArray zeros(32000, '\0');
    QByteArray oneByte = zeros;
    oneByte[32 * 6 + 9] = '\x42';
    const QString a = image("a.bin", zeros);

    const ProgramRun same = diff({a, image("same.bin", zeros)});
    EXPECT_EQ(same.exitCode, 0) << same.err.toStdString();
    EXPECT_EQ(same.out, QStringLiteral("identical: 1000 blocks, 32000 bytes\n"));

    const QString b = image("b.bin", oneByte);
    const ProgramRun one = diff({a, b});
    EXPECT_EQ(one.exitCode, 1);
    EXPECT_EQ(one.out, QStringLiteral("block 7: 1 bytes differ, first at offset 0x00C9\n"
                                      "1 of 1000 blocks differ, 1 of 32000 bytes\n"));
    const ProgramRun bytes = diff({QStringLiteral("--bytes"), a, b});
    EXPECT_EQ(bytes.exitCode, 1);
    EXPECT_EQ(bytes.out, QStringLiteral("0x00C9 00 42\n"
                                        "1 of 1000 blocks differ, 1 of 32000 bytes\n"));
}

TEST_F(BackupDiffCliTest, BadInputIsExitTwoWithTheFileAndReason) {
    const QString good = image("good.bin", QByteArray(32000, '\0'));
    const QList<std::pair<QString, QString>> cases{
        {path("missing.bin"), QStringLiteral("no such file")},
        {image("short.bin", QByteArray(31999, '\0')),
         QStringLiteral("31999 bytes; a backup holds 32000")},
        {image("long.bin", QByteArray(32001, '\0')),
         QStringLiteral("more than 32000 bytes; not a backup")},
        {image("huge.bin", QByteArray(100000, '\0')),
         QStringLiteral("more than 32000 bytes; not a backup")},
        {image("empty.bin", QByteArray()), QStringLiteral("0 bytes; a backup holds 32000")},
        {dir.path(), QStringLiteral("not a regular file")},
    };
    for (const auto& [file, reason] : cases) {
        for (const QStringList& args : {QStringList{good, file}, QStringList{file, good}}) {
            const ProgramRun result = diff(args);
            EXPECT_EQ(result.exitCode, 2) << file.toStdString();
            EXPECT_EQ(result.err,
                      QStringLiteral("zelctl: backup diff: %1: %2\n").arg(file, reason));
            EXPECT_TRUE(result.out.isEmpty());
        }
    }
    EXPECT_EQ(diff({good}).exitCode, 2);
    EXPECT_EQ(diff({good, good, good}).exitCode, 2);
    EXPECT_EQ(diff(Words("--camera 1") << good).exitCode, 2);
    EXPECT_EQ(diff(Words("--camera 300 --remote 1") << good).exitCode, 2);
}

TEST_F(BackupDiffCliTest, FileAgainstTheCameraReadsOnly) {
    startSimulator();
    const QByteArray camera = simulator->device().camera(2).settings();
    ASSERT_EQ(camera.size(), 32000);

    const ProgramRun same = diff(cameraArgs(image("cam2.bin", camera)));
    EXPECT_EQ(same.exitCode, 0) << same.err.toStdString();
    EXPECT_EQ(same.out, QStringLiteral("identical: 1000 blocks, 32000 bytes\n"));

    QByteArray changed = camera;
    changed[31999] = char(changed[31999] ^ 0x01);
    changed[100] = char(changed[100] ^ 0x80);
    const ProgramRun differ = diff(cameraArgs(image("changed.bin", changed)));
    EXPECT_EQ(differ.exitCode, 1) << differ.err.toStdString();
    EXPECT_EQ(differ.out, QStringLiteral("block 4: 1 bytes differ, first at offset 0x0064\n"
                                         "block 1000: 1 bytes differ, first at offset 0x7CFF\n"
                                         "2 of 1000 blocks differ, 2 of 32000 bytes\n"));
    EXPECT_EQ(simulator->device().camera(2).settings(), camera) << "nothing written";
    EXPECT_EQ(simulator->device().frameCount(kBackupCommand), 2000);
}

TEST_F(BackupDiffCliTest, ACameraThatStopsAnsweringIsExitTwoWithoutAReport) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Drop, kBackupCommand, 40));
    startSimulator(config);
    const QString file = image("cam2.bin", simulator->device().camera(2).settings());
    const ProgramRun silent = diff(cameraArgs(file));
    EXPECT_EQ(silent.exitCode, 2);
    EXPECT_TRUE(silent.out.isEmpty()) << silent.out.toStdString();
    EXPECT_TRUE(Holds(silent.err, "Timeout error (camera 2, block 40)"));

    // A file that is no backup is refused before anything goes on the line.
    const int frames = simulator->device().frameCount(kBackupCommand);
    const ProgramRun bad = diff(cameraArgs(image("short.bin", QByteArray(10, '\0'))));
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(simulator->device().frameCount(kBackupCommand), frames);
}

} // namespace
