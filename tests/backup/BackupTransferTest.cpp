#include "backup/BackupTransfer.h"
#include "backup/BackupSession.h"

#include "DataReplyText.h"
#include "FileSizeLimit.h"
#include "MemoryLink.h"
#include "TestFiles.h"
#include "common/HexText.h"
#include "shell/LanguageTables.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <tuple>

using namespace zel;
using namespace zel::test;

namespace {

constexpr int kImageSize = 32000;
constexpr int kBlockSize = 32;

QByteArray patternImage(int seed) {
    QByteArray image(kImageSize, '\0');
    for (int i = 0; i < kImageSize; ++i)
        image[i] = static_cast<char>((i * 7 + seed * 13 + i / 251) & 0xFF);
    return image;
}

struct Request {
    int block = 0;
    bool read = false;
    QByteArray frame;
};

Request parseRequest(const QByteArray& frame) {
    return {(quint8(frame.at(6)) << 8) | quint8(frame.at(7)), (quint8(frame.at(3)) & 0x0F) == 1,
            frame};
}

// A camera with 32000 bytes of settings, answering C1 reads and writes over the memory port.
// `tamper` may replace an answer (an empty text: no answer at all).
class BackupTransferTest : public ::testing::Test, protected MemoryLink {
protected:
    BackupTransferTest() {
        openTestPort();
        transfer.onFinished = [this](bool completed) { finished.append(completed); };
    }

    QString normalAnswer(const Request& request) {
        const qsizetype offset = qsizetype(request.block - 1) * kBlockSize;
        if (request.read)
            return DataReplyText(request.frame.mid(2, 3) + request.frame.mid(5, 3) +
                                 memory.mid(offset, kBlockSize));
        memory.replace(offset, kBlockSize, request.frame.mid(8, kBlockSize));
        return u"06"_qs;
    }

    // Answers every frame, fires pending retries, until the line goes quiet.
    void run() {
        for (int steps = 0; steps < 20000; ++steps) {
            if (handled < port.written.size()) {
                const Request request = parseRequest(port.written[handled++]);
                requests.append(request);
                const QString normal = normalAnswer(request);
                const QString answer = tamper ? tamper(request, normal) : normal;
                if (!answer.isEmpty())
                    port.receiveHex(answer);
            } else if (timerReTry.isActive()) {
                timerReTry.fireNow();
            } else {
                return;
            }
        }
    }

    QString writeImage(const QByteArray& image, const QString& name = u"up.bin"_qs) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeBytes(path, image));
        return path;
    }

    // No transfer, no dialog, no screen waiting for a reply.
    bool allStopped() const {
        return !transfer.isRunning() && !transfer.dialog().isOpen() &&
               engine.state().ScreenCode == ScreenIdle && !timerMenu.isActive();
    }

    QList<int> blocksRequested(bool read) const {
        QList<int> blocks;
        for (const Request& request : requests)
            if (request.read == read)
                blocks.append(request.block);
        return blocks;
    }

    QTemporaryDir dir;
    LanguageTables language;
    BackupTransfer transfer{engine, language, sink};
    QByteArray memory = patternImage(1);
    std::function<QString(const Request&, const QString&)> tamper;
    QList<Request> requests;
    qsizetype handled = 0;
    QList<bool> finished;
};

TEST_F(BackupTransferTest, BlockNumberIsFourUpperHexDigitsUpTo1000) {
    QString text = u"unchanged"_qs;
    const std::tuple<int, bool, const char*> rows[] = {
        {1, true, "0001"}, {0xAB, true, "00AB"}, {1000, true, "03E8"}, {1001, false, "03E8"}};
    for (const auto& [blockNo, ok, expected] : rows) {
        engine.setBlockNo(blockNo);
        EXPECT_EQ(transfer.Get_BlockNo(text), ok) << blockNo;
        EXPECT_EQ(text, QLatin1String(expected)) << blockNo;
    }
}

// Each reply breaks one rule of the reply reader at block 3; every other byte is right.
TEST_F(BackupTransferTest, MalformedRepliesEndWithReceivingDataError) {
    using Answer = std::function<QString(const Request&, const QString&)>;
    const Answer flipChecksum = [](const Request&, const QString& normal) {
        QString bad = normal;
        bad.replace(normal.size() - 6, 2, ByteToHex(HexByteAt(normal, normal.size() - 6) ^ 1));
        return bad;
    };
    struct Case {
        const char* what;
        bool upload;
        Answer answer;
    };
    const QList<Case> cases{
        {"ack instead of data", false, [](auto&, auto&) { return u"06"_qs; }},
        {"length field 41", false,
         [](auto&, auto&) {
             return DataReplyText(QByteArray(3, '\x01') + QByteArray(34, '\x02'));
         }},
        {"length field 43", false, // a whole data reply with a good checksum
         [](const Request& request, auto&) {
             return DataReplyText(request.frame.mid(2, 3) + request.frame.mid(5, 3) +
                                  QByteArray(33, '\x01'));
         }},
        {"bad checksum", false, flipChecksum},
        {"tiny data reply", false, [](auto&, auto&) { return u"FD0400FFFF"_qs; }},
        {"data reply to a write", true,
         [](const Request& request, const QString& normal) {
             return request.read ? normal : DataReplyText(QByteArray(38, '\x01'));
         }},
        {"bad checksum while verifying", true,
         [&](const Request& request, const QString& normal) {
             return request.read ? flipChecksum(request, normal) : normal;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sink.clear();
        finished.clear();
        tamper = [&](const Request& request, const QString& normal) {
            return request.block == 3 ? c.answer(request, normal) : normal;
        };
        const QString target = dir.filePath(QString::fromLatin1(c.what));
        if (c.upload)
            ASSERT_TRUE(transfer.startUpload(writeImage(patternImage(3))));
        else
            ASSERT_TRUE(transfer.startDownload(target));
        run();
        EXPECT_EQ(std::tuple(sink.numbers(), finished, requests.last().block),
                  std::tuple(QList<int>{16}, QList<bool>{false}, 3));
        EXPECT_TRUE(allStopped());
        if (!c.upload) {
            EXPECT_FALSE(QFile::exists(target));
            EXPECT_EQ(readBytes(target + u".partial"_qs).size(), 2 * kBlockSize);
        }
    }
}

TEST_F(BackupTransferTest, BusyDuringDownloadRequestsTheSameBlockWithoutStoringData) {
    int busyLeft = 2;
    tamper = [&](const Request& request, const QString& normal) {
        return request.block == 7 && busyLeft-- > 0 ? u"00"_qs : normal;
    };
    ASSERT_TRUE(transfer.startDownload(dir.filePath(u"cam.bin"_qs)));
    run();
    EXPECT_EQ(readBytes(dir.filePath(u"cam.bin"_qs)), memory);
    EXPECT_EQ(blocksRequested(true).mid(5, 4), (QList<int>{6, 7, 7, 7}));
    EXPECT_EQ(timerReTry.interval(), settings.timeOutRetryMs());
}

TEST_F(BackupTransferTest, BusyCountStartsAgainAfterEveryGoodReply) {
    // One BUSY on every 50th block: twenty in all, never two in a row.
    QList<int> refused; // block * 2 + read, per transfer
    int busyReplies = 0;
    tamper = [&](const Request& request, const QString& normal) {
        const int key = request.block * 2 + request.read;
        if (request.block % 50 != 0 || refused.contains(key))
            return normal;
        refused.append(key);
        ++busyReplies;
        return u"00"_qs;
    };
    const QString target = dir.filePath(u"cam.bin"_qs);
    ASSERT_TRUE(transfer.startDownload(target));
    run();
    EXPECT_EQ(readBytes(target), memory);
    refused.clear();
    const QByteArray image = patternImage(9);
    ASSERT_TRUE(transfer.startUpload(writeImage(image))); // verification reads back too
    run();
    EXPECT_EQ(std::pair(memory, busyReplies), std::pair(image, 60));
    EXPECT_EQ(finished, (QList<bool>{true, true}));
    EXPECT_TRUE(sink.shown.isEmpty());
}

TEST_F(BackupTransferTest, WriteErrorEndsTheDownloadAndKeepsTheOldBackup) {
    // The disk fills after block 128, on a block boundary or inside block 129: storing
    // block 129 fails and nothing more is asked of the camera.
    for (const int room : {4096, 4100}) {
        const QString target = dir.filePath(u"full%1.bin"_qs.arg(room));
        ASSERT_TRUE(writeBytes(target, "old backup"));
        sink.clear();
        finished.clear();
        requests.clear();
        {
            FileSizeLimit disk(room);
            ASSERT_TRUE(disk.active());
            ASSERT_TRUE(transfer.startDownload(target));
            run();
        }
        SCOPED_TRACE(room);
        EXPECT_EQ(std::tuple(sink.numbers(), finished, requests.size(), readBytes(target)),
                  std::tuple(QList<int>{24}, QList<bool>{false}, 129, QByteArray("old backup")));
        EXPECT_TRUE(allStopped());
    }
}

TEST_F(BackupTransferTest, VerificationIgnoresLetterCaseButNotADifferentByte) {
    const QByteArray image = patternImage(5);
    bool firstRead = true;
    tamper = [&](const Request& request, const QString& normal) {
        if (request.read && firstRead) {
            firstRead = false;
            return QString(); // answered by hand below, in lower case
        }
        if (request.read && request.block == 600) {
            QByteArray block = memory.mid(599 * kBlockSize, kBlockSize);
            block[0] = static_cast<char>(block[0] ^ 0x80);
            return DataReplyText(request.frame.mid(2, 3) + request.frame.mid(5, 3) + block);
        }
        return normal;
    };
    ASSERT_TRUE(transfer.startUpload(writeImage(image)));
    run();
    ASSERT_EQ(requests.last().block, 1);
    port.receiveHex(normalAnswer(requests.last()).toLower());
    run();
    EXPECT_EQ(std::tuple(sink.numbers(), blocksRequested(true).last(), finished),
              std::tuple(QList<int>{22}, 600, QList<bool>{false}));
    EXPECT_EQ(memory, image); // the camera keeps what was uploaded
}

TEST_F(BackupTransferTest, UploadAndCompareRefuseAFileThatIsNot32000Bytes) {
    using Start = bool (BackupTransfer::*)(const QString&);
    const std::pair<const char*, Start> starts[] = {{"upload", &BackupTransfer::startUpload},
                                                    {"compare", &BackupTransfer::startCompare}};
    for (const auto& [name, start] : starts) {
        for (const int size : {31999, 32001, 0}) {
            sink.clear();
            EXPECT_FALSE((transfer.*start)(writeImage(QByteArray(size, 'x')))) << name << size;
            EXPECT_EQ(sink.numbers(), QList<int>{25}) << name << size;
        }
        EXPECT_FALSE((transfer.*start)(dir.filePath(u"missing.bin"_qs))) << name;
        EXPECT_TRUE(port.written.isEmpty()) << name;
        EXPECT_FALSE(transfer.dialog().isOpen()) << name;
    }
}

TEST_F(BackupTransferTest, InvalidAddressOrBusyLinkIsRefusedBeforeAnythingIsSent) {
    transfer.setAddress(u"256"_qs, u"1"_qs);
    EXPECT_FALSE(transfer.startDownload(dir.filePath(u"a.bin"_qs)));
    transfer.setAddress(u"1"_qs, u"0"_qs);
    EXPECT_FALSE(transfer.startDownload(dir.filePath(u"a.bin"_qs)));
    transfer.setAddress(u"1"_qs, u"1"_qs);
    ASSERT_TRUE(occupyLink(ScreenPanel)); // the panel waits for its reply
    EXPECT_FALSE(transfer.startUpload(dir.filePath(u"a.bin"_qs)));
    EXPECT_EQ(sink.numbers(), (QList<int>{4, 4, 36}));
    EXPECT_EQ(port.written.size(), 1); // the panel's frame only
}

TEST_F(BackupTransferTest, TimeOutAndClosedPortEndTheTransfer) {
    tamper = [](const Request& request, const QString& normal) {
        return request.block == 20 ? QString() : normal;
    };
    ASSERT_TRUE(transfer.startDownload(dir.filePath(u"t.bin"_qs)));
    run();
    ASSERT_TRUE(timerMenu.fireNow());
    EXPECT_EQ(std::tuple(sink.numbers(), finished), std::tuple(QList<int>{2}, QList<bool>{false}));
    EXPECT_TRUE(allStopped());
    // A compare ended by the silent camera is not completed either.
    ASSERT_TRUE(transfer.startCompare(writeImage(memory)));
    run();
    ASSERT_TRUE(timerMenu.fireNow());
    EXPECT_EQ(finished, (QList<bool>{false, false}));
    EXPECT_FALSE(transfer.completed());

    engine.CloseCommPort();
    port.failOpen = true;
    sink.clear();
    EXPECT_FALSE(transfer.startDownload(dir.filePath(u"u.bin"_qs)));
    EXPECT_EQ(std::tuple(sink.numbers(), finished),
              std::tuple(QList<int>{6}, QList<bool>{false, false, false}));
    EXPECT_FALSE(transfer.dialog().isOpen());
}

// What the dialog and zelctl draw: every published state of a phase counts blocks of the
// whole image, never a default total, and each phase runs from 0 to 1000 once.
TEST_F(BackupTransferTest, ProgressCountsBlocksOfTheWholeImageInEachPhase) {
    QList<TransferProgress> published;
    transfer.dialog().onChanged = [&] {
        const TransferProgress progress = transfer.dialog().progress();
        if (progress.started())
            published.append(progress);
    };
    transfer.setAddress(u"1"_qs, u"1"_qs);
    ASSERT_TRUE(transfer.startUpload(writeImage(patternImage(2))));
    run();
    ASSERT_EQ(finished, QList<bool>{true});
    QStringList phases;
    for (const TransferProgress& progress : published) {
        EXPECT_EQ(progress.total, BackupTransfer::kBlockCount);
        EXPECT_EQ(progress.unit, ProgressUnit::Blocks);
        if (phases.isEmpty() || phases.last() != progress.phase)
            phases.append(progress.phase);
    }
    EXPECT_EQ(phases, (QStringList{transfer.statusText(BackupTransfer::ModeUpload),
                                   transfer.statusText(BackupTransfer::ModeVerify)}));
    EXPECT_EQ(published.last().done, BackupTransfer::kBlockCount);
}

TEST_F(BackupTransferTest, CompareReadsEveryBlockPastADifferenceAndWritesNothing) {
    QByteArray file = memory;
    file[5] = static_cast<char>(file[5] ^ 0x01);
    file[32 * 599] = static_cast<char>(file[32 * 599] ^ 0xFF);
    int busyLeft = 1;
    tamper = [&](const Request& request, const QString& normal) {
        return request.block == 300 && busyLeft-- > 0 ? u"00"_qs : normal;
    };
    const QByteArray before = memory;
    ASSERT_TRUE(transfer.startCompare(writeImage(file, u"old.bin"_qs)));
    run();
    EXPECT_EQ(finished, QList<bool>{true});
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_EQ(blocksRequested(false), QList<int>{}) << "not one write";
    EXPECT_EQ(blocksRequested(true).size(), 1001); // block 300 twice after its BUSY
    EXPECT_EQ(memory, before);
    EXPECT_EQ(transfer.dialog().state().caption, u"Verification is completed."_qs);
    const BackupComparison comparison = transfer.comparison();
    ASSERT_EQ(comparison.blocks.size(), 2);
    EXPECT_EQ((QList<qsizetype>{comparison.blocks[0].blockNo, comparison.blocks[1].blockNo,
                                comparison.bytes.size()}),
              (QList<qsizetype>{1, 600, 2}));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{u"old.bin"_qs});
}

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
    EXPECT_TRUE(session.mayClose() && session.controls().download);
    ASSERT_TRUE(session.start(BackupSession::Action::Download, dir.filePath(u"a.bin"_qs)));
    const BackupSession::Controls running = session.controls();
    EXPECT_FALSE(running.download || running.upload || running.compare || running.verify ||
                 running.exit);
    EXPECT_FALSE(session.mayClose());
    EXPECT_FALSE(session.start(BackupSession::Action::Upload, dir.filePath(u"a.bin"_qs)));
    EXPECT_EQ(port.written.size(), 1);

    session.cancel(); // as the dialog's Cancel
    EXPECT_TRUE(session.mayClose() && session.controls().exit);
    EXPECT_EQ(finished, QList<bool>{false});
    EXPECT_FALSE(session.hasComparison()); // a download leaves no report
}

TEST_F(BackupSessionTest, TheNoteOnAReplacedPartialBelongsToTheLastStartOnly) {
    const QString path = dir.filePath(u"cam.bin"_qs);
    const QString partial = path + u".partial"_qs;
    ASSERT_TRUE(writeBytes(partial, "earlier"));
    int changes = 0;
    session.onChanged = [&] { ++changes; };
    ASSERT_TRUE(session.start(BackupSession::Action::Download, path));
    EXPECT_EQ(session.replacedPartial(), partial);
    EXPECT_GE(changes, 1);
    session.cancel();
    QFile::remove(partial);
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
