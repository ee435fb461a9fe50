// zelctl backup diff: two files, and a file against the camera of the simulator, read only.
#include "CameraControllerSim.h"
#include "FaultRules.h"
#include "ZelctlTest.h"

using namespace zel::sim;
using namespace zel::test;

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

    EXPECT_TRUE(
        Ended(diff({a, image("same.bin", zeros)}), 0, "", "identical: 1000 blocks, 32000 bytes\n"));
    const QString b = image("b.bin", oneByte);
    EXPECT_TRUE(Ended(diff({a, b}), 1, "",
                      "block 7: 1 bytes differ, first at offset 0x00C9\n"
                      "1 of 1000 blocks differ, 1 of 32000 bytes\n"));
    EXPECT_TRUE(Ended(diff({u"--bytes"_qs, a, b}), 1, "",
                      "0x00C9 00 42\n1 of 1000 blocks differ, 1 of 32000 bytes\n"));
}

TEST_F(BackupDiffCliTest, BadInputIsExitTwoWithTheFileAndReason) {
    const QString good = image("good.bin", QByteArray(32000, '\0'));
    const QList<std::pair<QString, QString>> cases{
        {path("missing.bin"), u"no such file"_qs},
        {image("short.bin", QByteArray(31999, '\0')), u"31999 bytes; a backup holds 32000"_qs},
        {image("long.bin", QByteArray(32001, '\0')), u"more than 32000 bytes; not a backup"_qs},
        {image("huge.bin", QByteArray(100000, '\0')), u"more than 32000 bytes; not a backup"_qs},
        {image("empty.bin", QByteArray()), u"0 bytes; a backup holds 32000"_qs},
        {dir.path(), u"not a regular file"_qs},
    };
    for (const auto& [file, reason] : cases)
        for (const QStringList& args : {QStringList{good, file}, QStringList{file, good}})
            EXPECT_TRUE(Ended(diff(args), 2, u"zelctl: backup diff: %1: %2\n"_qs.arg(file, reason),
                              QString()));
    EXPECT_EQ(diff({good}).exitCode, 2);
    EXPECT_EQ(diff({good, good, good}).exitCode, 2);
    EXPECT_EQ(diff(Words("--camera 1") << good).exitCode, 2);
    EXPECT_EQ(diff(Words("--camera 300 --remote 1") << good).exitCode, 2);
}

TEST_F(BackupDiffCliTest, FileAgainstTheCameraReadsOnly) {
    startSimulator();
    const QByteArray camera = simulator->device().camera(2).settings();
    ASSERT_EQ(camera.size(), 32000);

    EXPECT_TRUE(Ended(diff(cameraArgs(image("cam2.bin", camera))), 0, "",
                      "identical: 1000 blocks, 32000 bytes\n"));

    QByteArray changed = camera;
    changed[31999] = char(changed[31999] ^ 0x01);
    changed[100] = char(changed[100] ^ 0x80);
    EXPECT_TRUE(Ended(diff(cameraArgs(image("changed.bin", changed))), 1, "",
                      "block 4: 1 bytes differ, first at offset 0x0064\n"
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
    EXPECT_TRUE(Ended(diff(cameraArgs(file)), 2, "Timeout error (camera 2, block 40)", ""));

    // A file that is no backup is refused before anything goes on the line.
    const int frames = simulator->device().frameCount(kBackupCommand);
    EXPECT_EQ(diff(cameraArgs(image("short.bin", QByteArray(10, '\0')))).exitCode, 2);
    EXPECT_EQ(simulator->device().frameCount(kBackupCommand), frames);
}
