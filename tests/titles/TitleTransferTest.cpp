#include "titles/TitleTransfer.h"
#include "DataReplyText.h"
#include "MemoryLink.h"
#include "TitleTexts.h"
#include "common/HexText.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {

// A title data reply: FD, length, seven payload bytes, the eight codes, checksum, FF FF.
QString titleReply(const QString& codesHex) {
    return DataReplyText(QByteArray::fromHex("00100100B10000" + codesHex.toLatin1()));
}
// The title "1": one code with the end mark, seven fillers.
const QString kTitleOne = titleReply(u"8001"_qs + u"00FD"_qs.repeated(7));

class TitleTransferTest : public ::testing::Test, protected MemoryLink {
protected:
    void SetUp() override {
        ASSERT_TRUE(openTestPort());
        m_transfer.onFinished = [this](bool completed) { m_finished.append(completed); };
        m_transfer.onTextLock = [this](bool lock) { m_locks.append(lock); };
    }
    QString lastData() const { return CommandDataHex(port.written.last()); }
    QString lastRequestFlag() const { return BytesToHexText(port.written.last()).mid(7, 1); }

    LanguageTables m_language;
    TitleCharTable m_table{0};
    TitleDocument m_document;
    TitleTransfer m_transfer{engine, m_document, m_table, m_language};
    QList<bool> m_finished;
    QList<bool> m_locks;
};

} // namespace

// 0, 1 and 255 and the whole request show in the all-download walk.
TEST(TitleTransferData, TitleNumberBytes) {
    EXPECT_EQ(TitleTransfer::TitleNumberHex(5), u"0050"_qs);
    EXPECT_EQ(TitleTransfer::TitleNumberHex(123), u"1230"_qs);
}

TEST_F(TitleTransferTest, CameraIdDownloadStoresTitleAndCompletes) {
    m_document.setTitle(CategoryCamera, 1, u"old"_qs);
    ASSERT_TRUE(m_transfer.startDownload(CategoryCamera));
    EXPECT_EQ(m_document.title(CategoryCamera, 1), QString()); // emptied first
    EXPECT_EQ((QStringList{lastData(), lastRequestFlag()}), (QStringList{u"B1020000"_qs, u"1"_qs}));
    const auto& dialog = m_transfer.dialog().state();
    EXPECT_EQ(std::tuple(dialog.progressMax, dialog.caption), std::tuple(1, u"DOWNLOAD  0%"_qs));
    port.receiveHex(titleReply(u"000A000B802400FD00FD00FD00FD00FD"_qs));
    EXPECT_EQ(m_document.title(CategoryCamera, 1), u"AB{024}"_qs);
    EXPECT_EQ(std::tuple(dialog.visibleFrame, dialog.caption), std::tuple(1, u"DOWNLOAD  100%"_qs));
    EXPECT_EQ(std::tuple(m_finished, m_locks),
              std::tuple(QList<bool>{true}, QList<bool>{true, false}));
    EXPECT_EQ(std::tuple(port.written.size(), sink.shown.size()), std::tuple(1, 0));
    m_transfer.dialog().close(); // the user closes the completed dialog
    EXPECT_EQ(engine.state().TitleTransferFlag, 0);
}

TEST_F(TitleTransferTest, TraceUploadSendsCodesAndWaitsForAck) {
    m_document.setTitle(CategoryTrace, 1, u"AB"_qs);
    ASSERT_TRUE(m_transfer.startUpload(CategoryTrace));
    EXPECT_EQ((QStringList{lastData(), lastRequestFlag()}),
              (QStringList{u"B1040010000A800B00FD00FD00FD00FD00FD00FD"_qs, u"0"_qs}));
    port.receiveHex(u"06"_qs);
    EXPECT_EQ(lastData(), u"B1040020"_qs + u"00FD"_qs.repeated(8));
    port.receiveHex(u"06"_qs);
    EXPECT_EQ(std::tuple(port.written.size(), m_finished), std::tuple(2, QList<bool>{true}));
}

// BUSY: the same title again after 500 ms; the fourth BUSY in a row ends the transfer, a good
// reply starts the count again.
TEST_F(TitleTransferTest, BusyResendsTheSameTitleAndFourthBusyInARowEnds) {
    ASSERT_TRUE(m_transfer.startDownload(CategoryTrace));
    const auto busyThenRetry = [this] {
        port.receiveHex(u"00"_qs);
        timerReTry.fireNow();
    };
    for (int busy = 1; busy <= 3; ++busy)
        busyThenRetry();
    port.receiveHex(kTitleOne);
    EXPECT_EQ(lastData(), u"B1040020"_qs);
    port.receiveHex(u"00"_qs);
    EXPECT_EQ(std::pair(timerReTry.isActive(), timerReTry.interval()), std::pair(true, 500));
    timerReTry.fireNow();
    EXPECT_EQ(lastData(), u"B1040020"_qs);
    EXPECT_EQ(port.written.size(), 6); // the first title four times, the second twice
    busyThenRetry();
    busyThenRetry();
    EXPECT_TRUE(sink.shown.isEmpty());
    port.receiveHex(u"00"_qs); // the fourth BUSY in a row
    EXPECT_EQ(std::tuple(sink.numbers(), m_finished, m_transfer.dialog().isOpen(),
                         engine.state().ScreenCode),
              std::tuple(QList<int>{16}, QList<bool>{false}, false, ScreenIdle));
    EXPECT_EQ(m_document.title(CategoryTrace, 1), u"1"_qs);
}

TEST_F(TitleTransferTest, SilenceNackBadChecksumShortReplyAndWrongKindEndTheTransfer) {
    const std::tuple<QString, int, bool> cases[] = {
        // reply, message, after an upload
        {QString(), 2, true}, // no reply: the wait ends; the next row finds the link free
        {u"15"_qs, 3, false},
        {kTitleOne.left(kTitleOne.size() - 6) + u"00FFFF"_qs, 16, false}, // bad checksum
        {u"FD05AAADFFFF"_qs, 16, false}, // complete, good checksum, no room for codes
        {u"06"_qs, 16, false},           // an ACK where a data reply was expected
        {kTitleOne, 16, true},           // a good data reply is no answer to a write
    };
    for (const auto& [reply, message, upload] : cases) {
        SCOPED_TRACE(reply.toStdString());
        sink.clear();
        m_finished.clear();
        const qsizetype sent = port.written.size();
        ASSERT_TRUE(upload ? m_transfer.startUpload(CategoryPosition)
                           : m_transfer.startDownload(CategoryPosition));
        if (reply.isEmpty())
            timerMenu.fireNow();
        else
            port.receiveHex(reply);
        EXPECT_EQ(std::tuple(sink.numbers(), m_transfer.dialog().isOpen(), m_finished,
                             port.written.size()),
                  std::tuple(QList<int>{message}, false, QList<bool>{false}, sent + 1));
        EXPECT_EQ(
            std::tuple(engine.state().TitleTransferFlag, m_document.title(CategoryPosition, 1)),
            std::tuple(0, QString()));
    }
}

TEST_F(TitleTransferTest, NextFrameThatCannotBeSentEndsTheTransferAtOnce) {
    const auto expectEnded = [&](const char* when) {
        SCOPED_TRACE(when);
        EXPECT_EQ(std::tuple(sink.numbers(), m_finished, m_locks.value(m_locks.size() - 1)),
                  std::tuple(QList<int>{6}, QList<bool>{false}, false));
        EXPECT_EQ(std::tuple(m_transfer.dialog().isOpen(), engine.state().ScreenCode,
                             engine.state().TitleTransferFlag, timerMenu.isActive(),
                             timerReTry.isActive()),
                  std::tuple(false, ScreenIdle, 0, false, false));
    };
    const auto restart = [&] {
        sink.clear();
        m_finished.clear();
        ASSERT_TRUE(engine.OpenCommPort());
    };

    // The port closes while a reply is on its way; the next title cannot go out.
    ASSERT_TRUE(m_transfer.startDownload(CategoryTrace));
    engine.CloseCommPort();
    port.receiveHex(kTitleOne);
    expectEnded("after a good reply");

    // The same at the retry after BUSY.
    restart();
    ASSERT_TRUE(m_transfer.startDownload(CategoryTrace));
    port.receiveHex(u"00"_qs);
    engine.CloseCommPort();
    ASSERT_TRUE(timerReTry.fireNow());
    expectEnded("at the retry");

    // And at the first title of the next category of an all download.
    restart();
    ASSERT_TRUE(m_transfer.startAllDownload());
    engine.CloseCommPort();
    port.receiveHex(kTitleOne); // CAMERA ID done; POSITION 1 is next
    expectEnded("between categories");
}

TEST_F(TitleTransferTest, CancelEndsAndIgnoresLateReplies) {
    ASSERT_TRUE(m_transfer.startDownload(CategoryPosition));
    m_transfer.dialog().close();
    EXPECT_EQ(std::tuple(m_finished, m_locks.last()), std::tuple(QList<bool>{false}, false));
    port.receiveHex(titleReply(u"800A"_qs + u"00FD"_qs.repeated(7)));
    EXPECT_EQ(m_document.title(CategoryPosition, 1), QString());
    EXPECT_EQ(port.written.size(), 1);
}

TEST_F(TitleTransferTest, NothingStartsWhileBusyOrWithBadNumbers) {
    m_document.CameraNo = u"256"_qs;
    EXPECT_FALSE(m_transfer.startDownload(CategoryCamera));
    m_document.CameraNo = u"1"_qs;
    m_document.RemoteNo = u"0"_qs;
    m_document.setTitle(CategoryCamera, 1, u"kept"_qs);
    EXPECT_FALSE(m_transfer.startDownload(CategoryCamera));
    EXPECT_EQ(m_document.title(CategoryCamera, 1), u"kept"_qs);
    m_document.RemoteNo = u"99"_qs;
    ASSERT_TRUE(occupyLink(ScreenPanel));
    EXPECT_FALSE(m_transfer.startDownload(CategoryCamera));
    EXPECT_EQ(port.written.size(), 1); // the panel's frame only
}

TEST_F(TitleTransferTest, AllUploadIsGatedByTheCheck) {
    m_document.setTitle(CategoryAux, 2, u"ABCDEFGHIJ"_qs);
    EXPECT_EQ(m_transfer.startAllUpload(), TitleTransfer::AllUploadStart::CheckFailed);
    EXPECT_EQ(std::tuple(sink.numbers(), port.written.size()), std::tuple(QList<int>{17}, 0));
    m_document.setTitle(CategoryAux, 2, u"OK"_qs);
    EXPECT_EQ(m_transfer.startAllUpload(), TitleTransfer::AllUploadStart::Sent);
    EXPECT_EQ(m_transfer.dialog().state().progressMax, 302);
    EXPECT_EQ(lastData().left(8), u"B1020000"_qs);
}

TEST_F(TitleTransferTest, AllDownloadWalksEveryCategoryInOrder) {
    ASSERT_TRUE(m_transfer.startAllDownload());
    for (int reply = 0; reply < 302; ++reply)
        port.receiveHex(kTitleOne);
    const QStringList sent = sentData();
    ASSERT_EQ(sent.size(), 302);
    // sent[258]: AUTO PAN, number 0.
    EXPECT_EQ((QStringList{sent[1], sent[255], sent[256], sent[258], sent[301]}),
              Words("B1030010 B1032550 B1040010 B1050000 B10A0080"));
    EXPECT_EQ(m_finished, QList<bool>{true});
    EXPECT_EQ(TitlesAt(m_document, {{CategoryAutoPan, 1}, {CategoryAux, 8}}), Words("1 1"));
}

TEST_F(TitleTransferTest, SortedPositionsUploadUnderTheirOwnNumbers) {
    m_document.setTitle(CategoryPosition, 1, u"ONE"_qs);
    m_document.setTitle(CategoryPosition, 2, u"TWO"_qs);
    m_document.row(CategoryPosition, 1).checkMark.clear();
    m_document.sortByCheckMark(CategoryPosition); // row 1 now shows title 2
    ASSERT_TRUE(m_transfer.startUpload(CategoryPosition));
    TitleCodes codes{};
    ASSERT_TRUE(m_table.TitleTextToCodes(u"ONE"_qs, codes));
    EXPECT_EQ(lastData(), u"B1030010"_qs + TitleCharTable::TitleCodesToHex(codes));
}

TEST_F(TitleTransferTest, TitlesWithoutEndMarkOrAnyEnglishCodeAreStoredEmpty) {
    m_document.setTitle(CategoryHome, 1, u"OLD1"_qs);
    m_document.setTitle(CategoryHome, 2, u"OLD2"_qs);
    ASSERT_TRUE(m_transfer.startDownload(CategoryHome));
    // Eight codes, none with bit 15: the title never ends.
    port.receiveHex(titleReply(u"000A000B000C"_qs + u"00FD"_qs.repeated(5)));
    // Kana only: no code of the English table.
    port.receiveHex(titleReply(u"00A081A1"_qs + u"00FD"_qs.repeated(6)));
    port.receiveHex(titleReply(u"000A00A1800B"_qs + u"00FD"_qs.repeated(5)));
    EXPECT_EQ(std::tuple(m_finished, sink.shown.size()), std::tuple(QList<bool>{true}, 0));
    EXPECT_EQ(TitlesAt(m_document, {{CategoryHome, 1}, {CategoryHome, 2}, {CategoryHome, 3}}),
              (QStringList{{}, {}, u"AB"_qs}));
}
