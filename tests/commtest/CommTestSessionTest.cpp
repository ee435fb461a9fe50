// The communication test screen's rules on the session: enable flags, the checks before
// START and SEND and their order, the refusal to close and the file messages.
#include "commtest/CommTestSession.h"
#include "MemoryLink.h"
#include "common/MessageNumber.h"
#include "commtest/TestEntryRules.h"
#include "shell/LanguageTables.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {

class CommTestSessionTest : public ::testing::Test, protected MemoryLink {
protected:
    void SetUp() override {
        ASSERT_TRUE(openTestPort());
        session.onBoxRefused = [this](CommTestBox box) { refused.append(box); };
        session.onScreenChanged = [this] { ++screenShown; };
        session.setRowText(1, u"2000"_qs);
    }

    ManualTimer timerCommTest;
    ManualTimer timerPace;
    LanguageTables language;
    CommTestSession session{engine, language, sink,
                            CommTestSession::Timers{timerCommTest, timerPace}};
    QList<CommTestBox> refused;
    int screenShown = 0;
};

TEST_F(CommTestSessionTest, ControlsFollowFreeFormatContinuousAndTheRun) {
    struct Case {
        const char* name;
        bool freeFormat, continuous, running;
        bool address, rowKind, continuousBox, interval, start, stop, fileMenu, send;
    };
    const Case cases[] = {
        {"idle", false, false, false, true, true, true, false, false, false, true, true},
        {"continuous", false, true, false, true, true, true, true, true, true, true, true},
        {"free format", true, false, false, false, false, true, false, false, false, true, true},
        {"running", false, true, true, false, true, false, false, false, true, false, false},
        {"running free", true, true, true, false, false, false, false, false, true, false, false},
    };
    for (const Case& c : cases) {
        session.stop();
        session.setFreeFormat(c.freeFormat);
        session.setContinuous(c.continuous);
        if (c.running) {
            ASSERT_TRUE(session.start()) << c.name;
        }
        const CommTestControls k = session.controls();
        EXPECT_EQ((QList<bool>{k.address, k.rowKind, k.continuous, k.interval, k.start, k.stop,
                               k.fileMenu, k.sendAt(1)}),
                  (QList<bool>{c.address, c.rowKind, c.continuousBox, c.interval, c.start, c.stop,
                               c.fileMenu, c.send}))
            << c.name;
    }
    session.stop();
    session.setRowText(2, u"123"_qs); // odd length
    session.setRowValid(3, false);
    const CommTestControls controls = session.controls();
    // Row 4 is empty, which counts as even; 0 and 17 are past the screen.
    EXPECT_EQ((QList<bool>{controls.sendAt(2), controls.sendAt(3), controls.sendAt(4),
                           controls.sendAt(0), controls.sendAt(17)}),
              (QList<bool>{false, false, true, false, false}));
}

TEST_F(CommTestSessionTest, StartChecksRemoteCameraIntervalInThatOrder) {
    session.setContinuous(true);
    session.setRemoteNo(u"0"_qs);
    session.setCameraNo(u"256"_qs);
    session.setInterval(u"601"_qs);
    const QList<QPair<CommTestBox, QString>> steps{{CommTestBox::RemoteNo, u"1 to 99"_qs},
                                                   {CommTestBox::CameraNo, u"0 to 255"_qs},
                                                   {CommTestBox::Interval, u"0 to 600"_qs}};
    for (const auto& [box, range] : steps) {
        sink.clear();
        refused.clear();
        EXPECT_FALSE(session.start());
        EXPECT_EQ(refused, QList<CommTestBox>{box});
        ASSERT_EQ(sink.numbers(), QList<int>{MessageError}); // one message, the first box's
        EXPECT_TRUE(sink.shown[0].extra.startsWith(range)) << sink.shown[0].extra.toStdString();
        EXPECT_TRUE(port.written.isEmpty());
        if (box == CommTestBox::RemoteNo)
            session.setRemoteNo(u"99"_qs);
        else if (box == CommTestBox::CameraNo)
            session.setCameraNo(u"0"_qs);
    }
    session.setInterval(u"0.5"_qs);
    sink.clear();
    ASSERT_TRUE(session.start());
    EXPECT_EQ(session.screen().interval, u"0.500"_qs); // shown with three decimals
    EXPECT_GE(screenShown, 1);
    EXPECT_EQ(port.written.size(), 1);
    EXPECT_TRUE(sink.shown.isEmpty() && session.isRunning());
}

TEST_F(CommTestSessionTest, BoxesOutOfUsePassEveryCheck) {
    // Free format: the address is not sent, so a bad one stops nothing.
    session.setFreeFormat(true);
    session.setRemoteNo(u"0"_qs);
    session.setCameraNo(u"x"_qs);
    EXPECT_TRUE(session.leaveBox(CommTestBox::RemoteNo));
    EXPECT_TRUE(session.send(1));
    EXPECT_EQ(port.written.size(), 1);
    port.receiveHex(u"06"_qs);
    // SEND never looks at the interval, even with continuous send ticked.
    session.setFreeFormat(false);
    session.setRemoteNo(u"1"_qs);
    session.setCameraNo(u"1"_qs);
    session.setContinuous(true);
    session.setInterval(u"700"_qs);
    EXPECT_TRUE(session.send(1));
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_TRUE(refused.isEmpty());
    // Without continuous send the interval box is off and passes when left.
    port.receiveHex(u"06"_qs);
    session.setContinuous(false);
    EXPECT_TRUE(session.leaveBox(CommTestBox::Interval));
    // An address box in use refuses when left.
    session.setCameraNo(u"x"_qs);
    EXPECT_FALSE(session.leaveBox(CommTestBox::CameraNo));
    EXPECT_FALSE(session.send(1));
    EXPECT_EQ(port.written.size(), 2);
    EXPECT_EQ(refused, QList<CommTestBox>{CommTestBox::CameraNo}); // the send's, not the leave's
}

TEST_F(CommTestSessionTest, CloseIsRefusedWhileARunGoesOn) {
    EXPECT_TRUE(session.mayClose());
    session.setContinuous(true);
    ASSERT_TRUE(session.start());
    EXPECT_FALSE(session.mayClose());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageContinuousSending});
    session.stop();
    EXPECT_TRUE(session.mayClose());
    EXPECT_EQ(sink.numbers().size(), 1);
}

TEST_F(CommTestSessionTest, FilesLoadIntoTheScreenAndFailedSavesSayWhy) {
    QTemporaryDir dir;
    const QString trf = dir.filePath(u"rows.trf"_qs);
    ASSERT_TRUE(session.saveSendData(trf));
    session.renew();
    EXPECT_TRUE(session.screen().row(1).text.isEmpty());
    const int shownBefore = screenShown;
    ASSERT_TRUE(session.load(trf));
    EXPECT_EQ(session.screen().row(1).text, u"2000"_qs);
    EXPECT_GT(screenShown, shownBefore);
    EXPECT_TRUE(sink.shown.isEmpty());

    QString error;
    EXPECT_FALSE(session.saveResults(dir.path(), &error)); // a folder
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(sink.numbers(), QList<int>{MessageCannotSave});
    EXPECT_FALSE(session.load(dir.filePath(u"missing.trf"_qs)));
}

// Entry rules of the test screen's boxes.

TEST(EntryRulesTest, IntervalRangeDecimalsAndFormat) {
    for (const char* good : {"0", "600", "0.125", "1.5", "600.000", "2.", "0.1250"})
        EXPECT_TRUE(TestEntryRules::isInterval(QString::fromLatin1(good))) << good;
    for (const char* bad : {"", "600.001", "-1", "0.0005", ".5", "1e2", "abc", "1.2.3", " 1"})
        EXPECT_FALSE(TestEntryRules::isInterval(QString::fromLatin1(bad))) << bad;
    EXPECT_EQ((QStringList{TestEntryRules::formatInterval(u"0.5"_qs),
                           TestEntryRules::formatInterval(u"2."_qs),
                           TestEntryRules::formatInterval(u"25"_qs)}),
              Words("0.500 2.000 25"));
}

TEST_F(CommTestSessionTest, EntryRulesOfTheBoxesShowTheRangeMessage) {
    EXPECT_EQ(TestEntryRules::checkInterval(sink, language, u"1.5"_qs), u"1.500"_qs);
    EXPECT_FALSE(TestEntryRules::checkInterval(sink, language, u"601"_qs));
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra, u"0 to 600 Setting data is beyond the setting range"_qs);
    sink.clear();
    EXPECT_TRUE(TestEntryRules::checkCameraNo(sink, language, u"0"_qs));
    EXPECT_FALSE(TestEntryRules::checkCameraNo(sink, language, u"256"_qs));
    EXPECT_FALSE(TestEntryRules::checkRemoteNo(sink, language, u"0"_qs));
    EXPECT_FALSE(TestEntryRules::checkRemoteNo(sink, language, QString()));
    EXPECT_EQ(sink.numbers(), (QList<int>{4, 4, 4}));
}

TEST_F(CommTestSessionTest, PasteTakesUpperHexOnly) {
    EXPECT_TRUE(TestEntryRules::checkPaste(sink, u"0123ABCDEF"_qs));
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_FALSE(TestEntryRules::checkPaste(sink, u"01ab"_qs));
    ASSERT_EQ(sink.numbers(), QList<int>{MessageError});
    EXPECT_EQ(sink.shown[0].extra, u"設定値が不正です。\r\n貼り付けできません。"_qs);
}

} // namespace
