// Backup transfers through the real serial port against the simulated controller on a
// pseudo-terminal.
#include "CameraControllerSim.h"
#include "EventLoopWait.h"
#include "FaultRules.h"
#include "PtyLink.h"
#include "TestFiles.h"
#include "backup/BackupTransfer.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <optional>

using namespace zel;
using namespace zel::sim;
using namespace zel::test;

constexpr int kBlockSize = 32;
constexpr int kBackupCommand = 0xC1;

// Writes the file a transfer starts from; its path.
static QString writeFile(const QString& path, const QByteArray& bytes) {
    EXPECT_TRUE(writeBytes(path, bytes));
    return path;
}

static QByteArray patternImage() {
    QByteArray image(32000, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = static_cast<char>((i * 31 + i / 97) & 0xFF);
    return image;
}

// One simulated controller, the real serial port on its pty, the engine and the transfer.
class BackupPty : public PtyLink {
public:
    explicit BackupPty(const SimConfig& config = {}) : PtyLink(config) {
        settings.TimeOutWait = u"1000"_qs;
        settings.TimeOutRetry = u"20"_qs;
        QString error;
        started = open(&error);
        EXPECT_TRUE(started) << error.toStdString();
        transfer.onFinished = [this](bool completed) {
            outcome = completed;
            loop.quit();
        };
    }

    // Runs the event loop until the transfer finishes; the outcome, or nullopt on a hang.
    std::optional<bool> waitForEnd(int timeoutMs = 30000) {
        if (!outcome) {
            QTimer::singleShot(timeoutMs, &loop, [this] { loop.quit(); });
            loop.exec();
        }
        return outcome;
    }

    QByteArray cameraBytes() { return sim.device().camera(1).settings(); }

    bool started = false;
    LanguageTables language;
    BackupTransfer transfer{engine, language, sink};
    QEventLoop loop;
    std::optional<bool> outcome;
};

class BackupPtyTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString target = dir.filePath(u"camera1.bin"_qs);
    QString partial = target + u".partial"_qs;
};

TEST_F(BackupPtyTest, DownloadCopiesTheCameraAndEndsAtBlock03E8) {
    BackupPty line;
    QStringList captions;
    line.transfer.dialog().onChanged = [&] {
        const int value = line.transfer.dialog().state().progressValue;
        if ((value == 9 || value == 10) &&
            !captions.contains(line.transfer.dialog().state().caption))
            captions.append(line.transfer.dialog().state().caption);
    };
    ASSERT_TRUE(line.transfer.startDownload(target));
    EXPECT_EQ(line.waitForEnd(), std::optional<bool>(true));
    EXPECT_EQ(readBytes(target), line.cameraBytes());
    EXPECT_FALSE(QFile::exists(partial));
    EXPECT_TRUE(line.sink.shown.isEmpty());
    EXPECT_EQ(captions, (QStringList{u"In DOWNLOAD  0%"_qs, u"In DOWNLOAD  1%"_qs}));

    const QStringList frames = line.framesSent();
    ASSERT_EQ(frames.size(), 1000);
    EXPECT_EQ(frames.last().mid(10, 6), u"C103E8"_qs);
    runEventsFor(100); // nothing more goes out after the last block
    EXPECT_EQ(line.sim.device().frameCount(kBackupCommand), 1000);
}

TEST_F(BackupPtyTest, UploadWithVerificationLeavesTheCameraEqualToTheFile) {
    BackupPty line;
    // The last ACK adds no step: verification starts again from 0.
    QStringList verifyCaptions;
    line.transfer.dialog().onChanged = [&] {
        const TransferDialogState& view = line.transfer.dialog().state();
        if (line.transfer.viewMode() == BackupTransfer::ModeVerify && view.progressValue <= 1 &&
            !verifyCaptions.contains(view.caption))
            verifyCaptions.append(view.caption);
    };
    const QByteArray image = patternImage();
    ASSERT_TRUE(line.transfer.startUpload(writeFile(target, image)));
    EXPECT_EQ(line.waitForEnd(), std::optional<bool>(true));
    EXPECT_EQ(verifyCaptions, (QStringList{u"In verification"_qs, u"In verification  0%"_qs}));
    EXPECT_EQ(line.cameraBytes(), image);
    EXPECT_EQ(line.sim.device().frameCount(kBackupCommand), 2000);
    EXPECT_EQ(line.transfer.dialog().state().caption, u"Verification is completed."_qs);
    EXPECT_TRUE(line.sink.shown.isEmpty());
}

TEST_F(BackupPtyTest, BusyOnBlock7ResendsTheSameBlock) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Busy, kBackupCommand, 7, 3));
    BackupPty line(config);
    const QByteArray image = patternImage();
    line.transfer.setVerify(false);
    ASSERT_TRUE(line.transfer.startUpload(writeFile(target, image)));
    EXPECT_EQ(line.waitForEnd(), std::optional<bool>(true));
    EXPECT_EQ(line.cameraBytes(), image);
    const QStringList frames = line.framesSent();
    ASSERT_EQ(frames.size(), 1003);
    for (int i = 6; i < 10; ++i)
        EXPECT_EQ(frames[i], frames[6]) << i;
    EXPECT_EQ(frames[6].mid(16, 64),
              QString::fromLatin1(image.mid(6 * kBlockSize, kBlockSize).toHex().toUpper()));
}

TEST_F(BackupPtyTest, ReplyFaultsEndTheDownloadAndKeepTheLastGoodBackup) {
    // What goes wrong, how many times, the message shown.
    const std::tuple<const char*, FaultKind, int, int> cases[] = {
        {"nack", FaultKind::Nack, 1, 3},
        {"checksum", FaultKind::BadChecksum, 1, 16},
        {"length byte", FaultKind::BadLength, 1, 2},
        {"dropped reply", FaultKind::Drop, 1, 2},
        {"busy beyond the retries", FaultKind::Busy, 4, 16}};
    for (const auto& [what, kind, times, message] : cases) {
        SCOPED_TRACE(what);
        SimConfig config;
        config.faults.add(faultRule(kind, kBackupCommand, 5, times));
        BackupPty line(config);
        writeFile(target, "last good backup");
        ASSERT_TRUE(line.transfer.startDownload(target));
        EXPECT_EQ(line.waitForEnd(), std::optional<bool>(false));
        EXPECT_EQ(line.sink.numbers(), QList<int>{message});
        EXPECT_EQ(readBytes(target), QByteArray("last good backup"));
        EXPECT_EQ(readBytes(partial), line.cameraBytes().left(4 * kBlockSize));
        EXPECT_EQ(line.engine.state().ScreenCode, int(ScreenIdle));
    }
}

TEST_F(BackupPtyTest, CancelDiscardsTheLateReply) {
    BackupPty line;
    writeFile(target, "last good backup");
    int storedAtCancel = -1;
    line.transfer.dialog().onChanged = [&] {
        if (line.transfer.dialog().state().progressValue == 100 && storedAtCancel < 0)
            QTimer::singleShot(0, &line.loop, [&] {
                storedAtCancel = line.transfer.dialog().state().progressValue;
                line.transfer.dialog().close(); // the Cancel button
            });
    };
    ASSERT_TRUE(line.transfer.startDownload(target));
    EXPECT_EQ(line.waitForEnd(), std::optional<bool>(false));
    const int framesAtCancel = line.framesSent().size();
    runEventsFor(300); // the reply in flight arrives and must be dropped
    EXPECT_EQ(line.framesSent().size(), framesAtCancel);
    EXPECT_EQ(framesAtCancel, storedAtCancel + 1);
    EXPECT_TRUE(line.sink.shown.isEmpty());
    EXPECT_EQ(readBytes(target), QByteArray("last good backup"));
    EXPECT_EQ(readBytes(partial), line.cameraBytes().left(storedAtCancel * kBlockSize));
    EXPECT_EQ(line.engine.state().ScreenCode, int(ScreenIdle));
}
