#include "backup/BackupSession.h"

#include "DataReplyText.h"
#include "MemoryLink.h"
#include "TestFiles.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

using namespace zel;
using namespace zel::test;

namespace {

constexpr int kImageSize = 32000;

// The backup screen's rules on the in-memory link; the camera answers reads with zeros.
class BackupSessionTest : public ::testing::Test, protected MemoryLink {
protected:
    BackupSessionTest() {
        openTestPort();
        session.onFinished = [this](bool completed) { finished.append(completed); };
    }

    // Answers every read request with a block of zeros until the transfer ends.
    void answerReads() {
        for (int i = 0; i < 1000 && session.isRunning(); ++i) {
            const QByteArray request = port.written.last();
            port.receiveHex(
                DataReplyText(request.mid(2, 3) + request.mid(5, 3) + QByteArray(32, '\0')));
        }
    }

    QTemporaryDir dir;
    LanguageTables language;
    BackupSession session{engine, language, sink};
    QList<bool> finished;
};

TEST_F(BackupSessionTest, AddressIsCheckedRemoteNumberFirstBeforeAFileIsAskedFor) {
    struct Case {
        const char* remote;
        const char* camera;
        QList<int> messages;
    };
    const Case cases[] = {
        {"1", "1", {}},    {"99", "255", {}}, {"0", "0", {4}}, // one message: remote first
        {"5", "256", {4}}, {"", "1", {4}},    {"1", "x", {4}},
    };
    for (const Case& c : cases) {
        sink.clear();
        session.setRemoteNo(QString::fromLatin1(c.remote));
        session.setCameraNo(QString::fromLatin1(c.camera));
        EXPECT_EQ(session.checkAddress(), c.messages.isEmpty()) << c.remote << "/" << c.camera;
        EXPECT_EQ(sink.numbers(), c.messages) << c.remote << "/" << c.camera;
    }
    EXPECT_TRUE(port.written.isEmpty());
}

TEST_F(BackupSessionTest, ARunningTransferHoldsTheScreenUntilItEnds) {
    EXPECT_TRUE(session.mayClose());
    EXPECT_TRUE(session.controls().download);
    ASSERT_TRUE(session.start(BackupSession::Action::Download, dir.filePath(u"a.bin"_qs)));
    const BackupSession::Controls running = session.controls();
    EXPECT_FALSE(running.download || running.upload || running.compare || running.verify ||
                 running.exit);
    EXPECT_FALSE(session.mayClose());
    EXPECT_FALSE(session.start(BackupSession::Action::Upload, dir.filePath(u"a.bin"_qs)));
    EXPECT_EQ(port.written.size(), 1);

    session.cancel(); // as the dialog's Cancel
    EXPECT_TRUE(session.mayClose());
    EXPECT_TRUE(session.controls().exit);
    EXPECT_EQ(finished, QList<bool>{false});
    EXPECT_FALSE(session.hasComparison()); // a download leaves no report
}

TEST_F(BackupSessionTest, TheNoteOnAReplacedPartialBelongsToTheLastStartOnly) {
    const QString path = dir.filePath(u"cam.bin"_qs);
    ASSERT_TRUE(writeBytes(path + u".partial"_qs, "earlier"));
    int changes = 0;
    session.onChanged = [&] { ++changes; };
    ASSERT_TRUE(session.start(BackupSession::Action::Download, path));
    EXPECT_EQ(session.replacedPartial(), path + u".partial"_qs);
    EXPECT_GE(changes, 1);
    session.cancel();

    QFile::remove(path + u".partial"_qs);
    ASSERT_TRUE(session.start(BackupSession::Action::Download, path));
    EXPECT_TRUE(session.replacedPartial().isEmpty());
    session.cancel();
}

TEST_F(BackupSessionTest, OnlyACompletedComparisonHasAReport) {
    QByteArray image(kImageSize, '\0');
    image[33] = '\x7F'; // block 2
    const QString path = dir.filePath(u"cam.bin"_qs);
    ASSERT_TRUE(writeBytes(path, image));
    ASSERT_TRUE(session.start(BackupSession::Action::Compare, path));
    EXPECT_FALSE(session.hasComparison());
    answerReads();
    EXPECT_EQ(finished, QList<bool>{true});
    ASSERT_TRUE(session.hasComparison());
    EXPECT_EQ(session.comparisonReport(BackupReportDetail::Blocks).last(),
              u"1 of 1000 blocks differ, 1 of 32000 bytes"_qs);

    // A comparison cut short: no report, and the earlier one is gone with it.
    session.dialog().close();
    ASSERT_TRUE(session.start(BackupSession::Action::Compare, path));
    session.cancel();
    EXPECT_FALSE(session.hasComparison());
    EXPECT_TRUE(session.comparisonReport(BackupReportDetail::Blocks).isEmpty());
}

} // namespace
