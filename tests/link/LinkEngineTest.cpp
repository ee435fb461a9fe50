#include "MemoryLink.h"
#include "common/MessageNumber.h"
#include "link/FrameCodec.h"
#include "link/LinkClient.h"
#include "link/LinkState.h"
#include "link/TransactionText.h"
#include "link/TransferDialogModel.h"
#include "shell/LanguageTables.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <random>

using namespace zel;
using namespace zel::test;

class ScriptedClient : public LinkClient {
public:
    explicit ScriptedClient(LinkEngine& engine) : m_engine(engine) {}
    void replyComplete() override {
        calls.append(
            u"reply:%1:%2"_qs.arg(m_engine.state().ReceiveBuffer).arg(m_engine.state().ScreenCode));
        if (onReply)
            onReply();
    }
    void replyTimedOut() override { calls.append(u"timeout:%1"_qs.arg(messagesAtTimeOut())); }
    void retryTick() override {
        calls.append(u"retry:%1"_qs.arg(m_engine.state().BlockNo));
        if (onRetry)
            onRetry();
    }
    void transferDialogClosed() override { calls.append(u"closed"_qs); }

    std::function<int()> messagesAtTimeOut = [] { return 0; };
    std::function<void()> onReply;
    std::function<void()> onRetry;
    QStringList calls;

private:
    LinkEngine& m_engine;
};

class LinkEngineTest : public ::testing::Test, protected MemoryLink {
protected:
    LinkEngineTest() {
        settings.TimeOutWait = u"500"_qs;
        settings.TimeOutRetry = u"300"_qs;
        settings.CurrentWriteWait = 40;
        openTestPort();
        log.startRecording();
        client.messagesAtTimeOut = [this] { return static_cast<int>(sink.shown.size()); };
    }

    int send(int camera, int screen, const char* data = "20", const char* raw = "0") {
        engine.claim(&client);
        const CommSendRecord record{QString::number(camera), u"1"_qs, u"False"_qs,
                                    QString::fromLatin1(raw), QString::number(screen)};
        return engine.SendCommandFrame(record, QString::fromLatin1(data));
    }

    // The reply wait's interval, -1 when no reply is awaited.
    int menuWait() const { return timerMenu.isActive() ? timerMenu.interval() : -1; }
    // The log's entries as "unit|data".
    QStringList logged() const {
        QStringList entries;
        for (int i = 0; i < log.count(); ++i)
            entries.append(log.entry(i).unit + u'|' + log.entry(i).data);
        return entries;
    }

    ScriptedClient client{engine};
};

struct ClosingClient : LinkClient {
    void replyComplete() override {}
    void transferDialogClosed() override {
        ++closed;
        if (model)
            model->close(); // a transfer that ends by closing its dialog again
    }
    TransferDialogModel* model = nullptr;
    int closed = 0;
};

class TransferDialogModelTest : public LinkEngineTest {
protected:
    LanguageTables language;
    TransferDialogModel model{engine};
};

TEST_F(LinkEngineTest, SendFramesLogsAndWaits) {
    ASSERT_EQ(port.opens.size(), 1);
    EXPECT_EQ(std::pair(port.opens[0].device, port.opens[0].evenParity),
              std::pair(u"/dev/ttyTEST"_qs, true));

    ASSERT_EQ(send(1, ScreenCommTest), 0);
    EXPECT_EQ(port.written, QList<QByteArray>{QByteArray::fromHex("FE080010012038FFFF")});
    EXPECT_EQ(engine.state().LastSentFrame, u"FE080010012038FFFF"_qs);
    EXPECT_EQ(engine.state().ScreenCode, ScreenCommTest);
    EXPECT_EQ(menuWait(), 500);
    EXPECT_EQ(logged(), Words("HOST1:|FE080010012038FFFF"));

    port.receiveHex(u"06"_qs);
    EXPECT_EQ(client.calls, QStringList{u"reply:06:7"_qs});
    EXPECT_EQ(menuWait(), -1);
    EXPECT_EQ(logged(), Words("HOST1:|FE080010012038FFFF CAMERA1:|06"));
}

TEST_F(LinkEngineTest, ClosedPortGivesMessage6AndLeavesStateAloneUntilReopened) {
    send(1, ScreenCommTest);
    port.receiveHex(u"06"_qs);
    const QString lastFrame = engine.state().LastSentFrame;
    engine.CloseCommPort();
    sink.clear();
    EXPECT_EQ(send(2, ScreenBackup, "C1"), 6);
    EXPECT_EQ(sink.numbers(), QList<int>{6});
    EXPECT_EQ(engine.state().LastSentFrame, lastFrame);
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    EXPECT_EQ(port.written.size(), 1);
    EXPECT_EQ(log.count(), 2);

    // Opening fails while the device refuses, and opening an open port does nothing.
    sink.clear();
    port.failOpen = true;
    EXPECT_FALSE(engine.OpenCommPort());
    EXPECT_EQ(sink.numbers(), QList<int>{6});
    EXPECT_FALSE(engine.lastOpenError().isEmpty());
    port.failOpen = false;
    EXPECT_TRUE(engine.OpenCommPort() && engine.lastOpenError().isEmpty());
    EXPECT_FALSE(engine.OpenCommPort()); // already open: false, no message
    EXPECT_EQ(sink.numbers(), QList<int>{6});
}

TEST_F(LinkEngineTest, UnframeableDataIsRefusedAndRawDataGoesOutUnchanged) {
    EXPECT_EQ(send(1, ScreenCommTest, "123"), LinkEngine::kSendBadFrame);
    EXPECT_EQ(send(1, ScreenCommTest, "XY", "1"), LinkEngine::kSendBadFrame);
    EXPECT_TRUE(port.written.isEmpty());
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    ASSERT_EQ(send(1, ScreenCommTest, "fe0801", "1"), 0);
    EXPECT_EQ(port.written.value(0), QByteArray::fromHex("FE0801"));
    EXPECT_EQ(engine.state().ScreenCode, ScreenCommTest);
    EXPECT_EQ(menuWait(), 500);
}

TEST_F(LinkEngineTest, FragmentsRestartTheGapTimerAndCompleteOnce) {
    send(12, ScreenBackup, "C10001");
    port.receiveHex(u"FD06"_qs);
    EXPECT_EQ(menuWait(), 40);
    port.receiveHex(u"0102"_qs);
    EXPECT_EQ(menuWait(), 40);
    EXPECT_TRUE(client.calls.isEmpty());
    port.receiveHex(u"07FFFF"_qs);
    EXPECT_EQ(client.calls, QStringList{u"reply:FD06010207FFFF:7"_qs});
    EXPECT_TRUE(engine.CheckReplyChecksum());
    EXPECT_EQ(logged().last(), u"CAMERA12:|FD06010207FFFF"_qs);
    EXPECT_TRUE(sink.shown.isEmpty());
}

TEST_F(LinkEngineTest, GapLongerThanTheWaitIsATimeOut) {
    send(1, ScreenTitle);
    port.receiveHex(u"FD06"_qs);
    ASSERT_TRUE(timerMenu.fireNow());
    // Message 2 came before the time-out procedure, the port was recycled, state reset.
    EXPECT_EQ(sink.numbers(), QList<int>{2});
    EXPECT_EQ(client.calls, QStringList{u"timeout:1"_qs});
    EXPECT_EQ((QList<qsizetype>{port.closes, port.opens.size(), port.isOpen()}),
              (QList<qsizetype>{1, 2, true}));
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    EXPECT_TRUE(engine.state().ReceiveBuffer.isEmpty());
    EXPECT_EQ(engine.state().WaitingForm, nullptr);
    EXPECT_EQ(menuWait(), -1);
    // Late bytes are dropped and not logged.
    const int entries = log.count();
    port.receiveHex(u"0102"_qs);
    EXPECT_EQ(log.count(), entries);
}

TEST_F(LinkEngineTest, TimeOutWithAPortThatWillNotReopen) {
    QStringList reasons;
    const Subscription failures =
        engine.watchOpenFailures([&](const QString& why) { reasons.append(why); });
    send(1, ScreenCommTest);
    port.failOpen = true;
    ASSERT_TRUE(timerMenu.fireNow());
    EXPECT_EQ(sink.numbers(), (QList<int>{6, 2}));
    EXPECT_EQ(engine.lastOpenError(), u"/dev/ttyTEST: no such device"_qs);
    EXPECT_EQ(reasons, QStringList{engine.lastOpenError()});
    EXPECT_EQ(send(1, ScreenCommTest), 6);
}

TEST_F(LinkEngineTest, OverflowRunsBeforeCompleteness) {
    send(1, ScreenBackup);
    // 513 bytes: FD, length, ... FFFF would be complete if the limit were not checked first.
    const QByteArray big = QByteArray::fromHex("FDFF") + QByteArray(509, '\x11') + "\xFF\xFF";
    port.receive(big.left(200));
    port.receive(big.mid(200));
    EXPECT_EQ(sink.numbers(), QList<int>{13});
    EXPECT_EQ(client.calls, QStringList{u"timeout:1"_qs});
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    EXPECT_EQ(port.closes, 0); // overflow does not recycle the port
}

// The panel hears of neither: a time-out is silent, an overflow shows its message only.
TEST_F(LinkEngineTest, PanelTimeOutIsSilentAndOverflowOnlyShowsTheMessage) {
    send(1, ScreenPanel);
    ASSERT_TRUE(timerMenu.fireNow());
    EXPECT_TRUE(sink.shown.isEmpty() && client.calls.isEmpty());
    EXPECT_EQ(std::pair(port.closes, port.isOpen()), std::pair(1, true));
    send(1, ScreenPanel);
    port.receive(QByteArray(600, '\x01'));
    EXPECT_EQ(sink.numbers(), QList<int>{13});
    EXPECT_TRUE(client.calls.isEmpty());
}

TEST_F(LinkEngineTest, CameraZeroAwaitsNothing) {
    ASSERT_EQ(send(0, ScreenCommTest), 0);
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    EXPECT_EQ(menuWait(), -1);
    port.receiveHex(u"06"_qs);
    EXPECT_TRUE(client.calls.isEmpty());
    EXPECT_EQ(log.count(), 1); // the frame only
}

TEST_F(LinkEngineTest, CallbackMaySendTheNextFrameAtOnce) {
    int replies = 0;
    client.onReply = [&] {
        if (++replies < 3)
            send(1, ScreenBackup);
    };
    send(1, ScreenBackup);
    port.receiveHex(u"06"_qs);
    EXPECT_EQ(engine.state().ScreenCode, ScreenBackup);
    EXPECT_EQ(menuWait(), 500);
    port.receiveHex(u"06"_qs);
    port.receiveHex(u"06"_qs);
    EXPECT_EQ(std::pair(replies, port.written.size()), std::pair(3, qsizetype(3)));
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
}

TEST_F(LinkEngineTest, BusyRetryTickLowersBlockNoForTheCall) {
    send(1, ScreenBackup);
    engine.setBlockNo(5);
    client.onReply = [&] { engine.armRetry(ScreenBackup); };
    port.receiveHex(u"00"_qs);
    EXPECT_EQ(std::pair(timerReTry.isActive(), timerReTry.interval()), std::pair(true, 300));
    EXPECT_EQ(engine.state().ScreenCode, ScreenBackup);

    client.onRetry = [&] { engine.nextBlock(); }; // the screen resends and raises it
    ASSERT_TRUE(timerReTry.fireNow());
    EXPECT_EQ(client.calls.last(), u"retry:4"_qs);
    EXPECT_EQ(engine.state().BlockNo, 6);
    EXPECT_FALSE(timerReTry.isActive());

    // Only the title and backup screens are called on a retry tick.
    client.calls.clear();
    engine.armRetry(ScreenCommTest);
    timerReTry.fireNow();
    engine.armRetry(ScreenTitle);
    timerReTry.fireNow();
    EXPECT_EQ(client.calls, QStringList{u"retry:5"_qs});
}

TEST_F(LinkEngineTest, TransferDialogClosedRunsTheUnloadRule) {
    send(1, ScreenBackup);
    engine.armRetry(ScreenBackup);
    engine.transferDialogClosed();
    EXPECT_EQ(client.calls, QStringList{u"closed"_qs});
    EXPECT_FALSE(timerMenu.isActive() || timerReTry.isActive());
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);

    client.calls.clear();
    send(1, ScreenCommTest);
    engine.transferDialogClosed(); // neither a title transfer nor the backup
    EXPECT_TRUE(client.calls.isEmpty());
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);

    send(1, ScreenTitle);
    engine.startTitleTransfer(3, 1, 17);
    engine.transferDialogClosed();
    EXPECT_EQ(client.calls, QStringList{u"closed"_qs});
}

TEST_F(LinkEngineTest, ChecksumErrorShowsMessage16) {
    send(1, ScreenBackup);
    port.receiveHex(u"FD06010208FFFF"_qs);
    EXPECT_FALSE(engine.CheckReplyChecksum());
    EXPECT_EQ(sink.numbers(), QList<int>{16});
    send(1, ScreenBackup);
    port.receiveHex(u"06"_qs); // too short to hold a checksum
    EXPECT_FALSE(engine.CheckReplyChecksum());
}

TEST_F(LinkEngineTest, LostPortWhileWaitingEndsLikeATimeOut) {
    send(1, ScreenCommTest);
    port.loseDevice(u"hung up"_qs);
    EXPECT_EQ(sink.numbers(), QList<int>{2});
    EXPECT_EQ(client.calls, QStringList{u"timeout:1"_qs});
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    EXPECT_EQ(menuWait(), -1);
    // Not recycled: a device that went away cannot be opened again at once, and message 6
    // would only repeat the news. The port watch reopens it when it returns.
    EXPECT_EQ(std::pair(port.opens.size(), port.isOpen()), std::pair(qsizetype(1), false));
    EXPECT_EQ(engine.lastLostReason(), u"hung up"_qs);
}

TEST_F(LinkEngineTest, LostPortWhileIdleIsOnlyNoted) {
    port.loseDevice(u"gone"_qs);
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_EQ(engine.lastLostReason(), u"gone"_qs);
    EXPECT_EQ(send(1, ScreenCommTest), 6);
    EXPECT_EQ(port.opens.size(), 1);
}

TEST_F(LinkEngineTest, RandomRepliesNeverBreakTheEngine) {
    std::mt19937 random(7);
    sink.defaultAnswer = ButtonOk;
    int completed = 0;
    client.onReply = [&] {
        ++completed;
        engine.CheckReplyChecksum();
        for (int i = -2; i < 600; i += 37)
            ReplyByteAt(engine.state().ReceiveBuffer, i);
    };
    for (int round = 0; round < 500; ++round) {
        send(1, ScreenBackup);
        QByteArray reply;
        const int length = static_cast<int>(random() % 700);
        for (int i = 0; i < length; ++i)
            reply.append(static_cast<char>(random() % 4 == 0 ? 0xFF : random() % 256));
        if (round % 3 == 0 && !reply.isEmpty())
            reply[0] = static_cast<char>(0xFD);
        for (qsizetype at = 0; at < reply.size() && engine.state().ScreenCode != ScreenIdle;) {
            const qsizetype piece = 1 + random() % 64;
            port.receive(reply.mid(at, piece));
            at += piece;
            EXPECT_LE(engine.state().ReceiveBuffer.size(), LinkEngine::kReceiveLimit);
        }
        if (engine.state().ScreenCode != ScreenIdle) {
            ASSERT_TRUE(timerMenu.fireNow());
        }
        EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
    }
    EXPECT_GT(completed, 0);
}

TEST_F(LinkEngineTest, EveryPortListenerHearsUntilItsSubscriptionIsDropped) {
    QStringList heard;
    using Event = LinkEngine::PortEvent;
    Subscription first =
        engine.watchPort([&](Event e) { heard.append(u"a"_qs + QString::number(int(e))); });
    auto second = std::make_unique<Subscription>(
        engine.watchPort([&](Event e) { heard.append(u"b"_qs + QString::number(int(e))); }));
    engine.CloseCommPort();
    EXPECT_EQ(heard, Words("a3 b3"));

    heard.clear();
    second.reset(); // its owner went away: nothing more reaches it
    engine.OpenCommPort();
    EXPECT_EQ(heard, QStringList{u"a0"_qs});

    heard.clear();
    first = engine.watchPort([&](Event) {
        heard.append(u"again"_qs);
        first.reset(); // a listener may drop itself while it is told
    });
    engine.CloseCommPort();
    engine.OpenCommPort();
    EXPECT_EQ(heard, QStringList{u"again"_qs});

    // A subscription outliving its engine is harmless.
    Subscription kept;
    {
        MemoryLink other;
        kept = other.engine.watchPort([](LinkEngine::PortEvent) {});
    }
    EXPECT_TRUE(kept.isActive());
    kept.reset();
    EXPECT_FALSE(kept.isActive());
}

TEST_F(LinkEngineTest, EndWaitAndReleaseFreeTheLinkOnlyForTheClaimingClient) {
    ScriptedClient other{engine};
    send(1, ScreenCommTest);
    engine.endWait(&other); // not its wait
    EXPECT_EQ(menuWait(), 500);
    engine.endWait(&client);
    EXPECT_TRUE(engine.isIdle());
    EXPECT_EQ(menuWait(), -1);
    port.receiveHex(u"06"_qs); // late: discarded
    EXPECT_TRUE(client.calls.isEmpty());

    send(1, ScreenBackup);
    engine.armRetry(ScreenBackup);
    engine.release(&other);
    EXPECT_TRUE(timerReTry.isActive());
    engine.release(&client);
    EXPECT_FALSE(timerReTry.isActive());
    EXPECT_TRUE(engine.isIdle() && !engine.isClaimedBy(&client));
}

TEST_F(TransferDialogModelTest, LoadsCaptionsOfTheCurrentLanguage) {
    int repaints = 0;
    model.onChanged = [&] { ++repaints; };
    model.load(language);
    const auto& s = model.state();
    EXPECT_EQ(
        (QStringList{s.caption, s.cancelCaption, s.closeCaption, s.labels1[0], s.labels1[1],
                     s.labels1[2], s.labels2[0], s.labels2[2]}),
        (QStringList{u"In transmission"_qs, u"Cancel"_qs, u"Close"_qs, u"In saving"_qs,
                     u"File name"_qs, u"Save as"_qs, u"Save is completed."_qs, u"Save as"_qs}));
    EXPECT_EQ(std::tuple(s.visibleFrame, model.isOpen(), repaints), std::tuple(0, true, 1));

    language.setLanguageIndex(1);
    model.load(language);
    EXPECT_EQ(model.state().caption, u"転送中"_qs);
    EXPECT_EQ(model.state().labels2[0], u"保存しました"_qs);
}

TEST_F(TransferDialogModelTest, CloseRunsTheUnloadRuleOnce) {
    ClosingClient client;
    client.model = &model;
    int closedCalls = 0;
    model.onClosed = [&] { ++closedCalls; };
    model.load(language);
    engine.claim(&client);
    engine.armRetry(ScreenBackup);

    model.close();
    model.close();
    EXPECT_EQ(std::pair(client.closed, closedCalls), std::pair(1, 1));
    EXPECT_FALSE(model.isOpen() || timerReTry.isActive());
    EXPECT_EQ(engine.state().ScreenCode, ScreenIdle);
}

TEST(TransactionTextTest, NamesCameraAndCommandOrBlockInEitherLanguage) {
    LinkState state;
    EXPECT_TRUE(TransactionText(state).isEmpty());
    state.LastSentFrame = u"FE0A1231052A010305FFFF"_qs; // camera 123, command 2A
    EXPECT_EQ(TransactionText(state), u"camera 123, command 2A"_qs);
    state.BlockNo = 37; // within a transfer the block says more than the command
    EXPECT_EQ(TransactionText(state), u"camera 123, block 37"_qs);
    // A backup frame names its own block: the transfer has counted on to the next one.
    state.LastSentFrame = u"FE0A123105C1001977FFFF"_qs;
    state.BlockNo = 26;
    EXPECT_EQ(TransactionText(state), u"camera 123, block 25"_qs);
    state.LastSentFrame = u"FE09123105C100FFFF"_qs; // cut short: the count stays
    EXPECT_EQ(TransactionText(state), u"camera 123, block 26"_qs);
    state.BlockNo = 0;
    state.LastSentFrame = u"FE07255099EAFFFF"_qs; // no data bytes
    EXPECT_EQ(TransactionText(state), u"camera 255"_qs);
    state.LastSentFrame = u"FE0"_qs; // cut short: no crash, no command
    EXPECT_EQ(TransactionText(state), u"camera 0"_qs);
    // Japanese names the same exchange.
    state.LastSentFrame = u"FE0A1231052A010305FFFF"_qs;
    EXPECT_EQ(TransactionText(state, 1), u"カメラ 123、コマンド 2A"_qs);
    state.LastSentFrame = u"FE0A123105C1001977FFFF"_qs;
    EXPECT_EQ(TransactionText(state, 1), u"カメラ 123、ブロック 25"_qs);
}

TEST(TransactionTextTest, OnlyMessagesAboutOneExchange) {
    for (int number :
         {MessageTimeout, MessageNack, MessageBusy, MessageReceiveError, MessageDataTooLarge})
        EXPECT_TRUE(IsLinkMessage(number)) << number;
    for (int number : {MessagePortOpenError, MessageNoSettingFile, MessageCannotSave})
        EXPECT_FALSE(IsLinkMessage(number)) << number;
}
