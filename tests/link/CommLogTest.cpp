#include "RecordingSink.h"
#include "TestFiles.h"
#include "Words.h"
#include "common/MessageSink.h"
#include "common/TextFile.h"
#include "link/CommLogFile.h"
#include "link/CommLogStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {
QString frameNo(int i) {
    return QStringLiteral("F%1").arg(i, 4, 10, QLatin1Char('0'));
}

class CommLogFileTest : public ::testing::Test {
protected:
    QString writeRaw(const QByteArray& bytes, const QString& name = QStringLiteral("t.log")) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    bool load(const QString& path) { return CommLogFile::load(path, store, sink); }
    // The store's entries as "unit|data".
    QStringList entries() const {
        QStringList list;
        for (int i = 0; i < store.count(); ++i)
            list.append(store.entry(i).unit + QLatin1Char('|') + store.entry(i).data);
        return list;
    }
    // A file of `count` lines "HOST1:1" followed by `rest`.
    QString fullLog(int count, const QByteArray& rest) {
        QByteArray text;
        for (int i = 0; i < count; ++i)
            text += "HOST1:1\r\n";
        return writeRaw(text + rest);
    }

    QTemporaryDir dir;
    CommLogStore store;
    RecordingSink sink;
};
} // namespace

TEST(CommLogStore, KeepsTheNewest3000) {
    CommLogStore store;
    for (int i = 0; i < 3001; ++i)
        store.Add_MsFlexGrid(QStringLiteral("HOST1:"), frameNo(i));
    ASSERT_EQ(store.count(), 3000);
    EXPECT_EQ(store.entry(0).data, frameNo(1));
    EXPECT_EQ(store.entry(2999).data, frameNo(3000));
    for (int i = 3001; i < 7500; ++i)
        store.Add_MsFlexGrid(QStringLiteral("HOST1:"), frameNo(i));
    EXPECT_EQ(store.entry(0).data, frameNo(4500));
    EXPECT_EQ(store.entry(2999).data, frameNo(7499));
    EXPECT_TRUE(store.entry(3000).data.isEmpty()); // out of range reads nothing
    EXPECT_TRUE(store.entry(-1).data.isEmpty());
}

TEST(CommLogStore, RecordsOnlyBetweenStartAndStop) {
    CommLogStore store;
    int changes = 0;
    store.onChanged = [&] { ++changes; };
    store.Add_MsFlexGrid_Host(QStringLiteral("1"), QStringLiteral("FE"));
    EXPECT_EQ(store.count(), 0);
    store.Add_MsFlexGrid(QStringLiteral("X"), QStringLiteral("Y"));
    store.startRecording(); // empties the list
    EXPECT_EQ(store.count(), 0);
    // A reply whose frame went out before the start is stored alone.
    store.Add_MsFlexGrid_Cam(QStringLiteral("12"), QStringLiteral("06"));
    store.Add_MsFlexGrid_Host(QStringLiteral("3"), QStringLiteral("FE07"));
    store.stopRecording();
    store.Add_MsFlexGrid_Cam(QStringLiteral("12"), QStringLiteral("15"));
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.entry(0).unit, QStringLiteral("CAMERA12:"));
    EXPECT_EQ(store.entry(1).unit, QStringLiteral("HOST3:"));
    EXPECT_GT(changes, 0);
}

// Saved with the unit's colon and without the recording's times, so the next load splits
// unit and data again; a file written without the colon (earlier versions) splits at the tab
// and saves the same bytes. Loaded entries have no times.
TEST_F(CommLogFileTest, SaveAndLoadRoundTrip) {
    const QByteArray saved("HOST1:\tFE080010012038FFFF\r\nCAMERA1:\t06\r\n");
    store.startRecording();
    store.Add_MsFlexGrid_Host(QStringLiteral("1"), QStringLiteral("FE080010012038FFFF"));
    store.Add_MsFlexGrid_Cam(QStringLiteral("1"), QStringLiteral("06"));
    ASSERT_GE(store.entry(0).elapsedMs, 0);
    const QString path = dir.filePath(QStringLiteral("a.log"));
    ASSERT_TRUE(CommLogFile::save(path, store, sink));
    EXPECT_EQ(readBytes(path), saved);
    for (const QString& file : {path, writeRaw("HOST1\tFE080010012038FFFF\r\nCAMERA1\t06\r\n")}) {
        ASSERT_TRUE(load(file));
        EXPECT_EQ(entries(), Words("HOST1|FE080010012038FFFF CAMERA1|06"));
        EXPECT_EQ(store.entry(0).elapsedMs, -1);
        EXPECT_EQ(store.entry(1).wallClockMs, -1);
        ASSERT_TRUE(CommLogFile::save(dir.filePath(QStringLiteral("again.log")), store, sink));
        EXPECT_EQ(readBytes(dir.filePath(QStringLiteral("again.log"))), saved);
    }
    EXPECT_TRUE(sink.shown.isEmpty());
}

TEST_F(CommLogFileTest, EveryCorpusLogSurvivesLoadSaveLoad) {
    const QDir corpus(QStringLiteral(ZEL_FUZZ_SEEDS_DIR "/log"));
    const QStringList names = corpus.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    sink.defaultAnswer = ButtonYes; // keep reading past over-long fields
    int compared = 0;
    for (const QString& name : names) {
        const TextFileRead file = DecodeTextFile(readBytes(corpus.filePath(name)));
        if (!file.ok)
            continue;
        CommLogStore first;
        CommLogFile::loadLines(file.lines, first, sink);
        const QString once = dir.filePath(QStringLiteral("once.log"));
        const QString twice = dir.filePath(QStringLiteral("twice.log"));
        ASSERT_TRUE(CommLogFile::save(once, first, sink)) << name.toStdString();
        // A few seeds keep only CP932 bytes that also read as UTF-8, which every text reader
        // refuses; the log's own reading is not in question there.
        if (!LooksLikeCp932Text(readBytes(once)))
            continue;
        CommLogStore second;
        ASSERT_TRUE(CommLogFile::load(once, second, sink)) << name.toStdString();
        ASSERT_EQ(second.count(), first.count()) << name.toStdString();
        for (int i = 0; i < first.count(); ++i) {
            EXPECT_EQ(second.entry(i).unit, first.entry(i).unit) << name.toStdString() << ' ' << i;
            EXPECT_EQ(second.entry(i).data, first.entry(i).data) << name.toStdString() << ' ' << i;
        }
        ASSERT_TRUE(CommLogFile::save(twice, second, sink));
        EXPECT_EQ(readBytes(twice), readBytes(once)) << name.toStdString();
        ++compared;
    }
    EXPECT_GT(compared, 10);
}

TEST_F(CommLogFileTest, CommentsBlankLinesAndOddFields) {
    const QString path = writeRaw(": comment\r\n\r\n   \r\nHOST 1 :\tFE 08 :extra\r\n"
                                  "\tCAMERA1:06\nnocolon\r\n:another\r\n");
    ASSERT_TRUE(load(path));
    EXPECT_EQ(entries(), Words("HOST1|FE08 CAMERA1|06 nocolon|"));
}

TEST_F(CommLogFileTest, LongFieldsAskWhetherToKeepReading) {
    const QByteArray longUnit = "HOST1234567:06\r\n";
    const QByteArray longData = "HOST1:" + QByteArray(495, 'A') + "\r\n";
    const QString path = writeRaw("HOST1:FE\r\n" + longUnit + longData + "CAMERA1:06\r\n");

    sink.answers = {ButtonYes, ButtonYes};
    ASSERT_TRUE(load(path));
    EXPECT_EQ(entries(), Words("HOST1|FE | | CAMERA1|06")); // kept as empty lines
    ASSERT_EQ(sink.shown.size(), 2);
    EXPECT_EQ(sink.shown[0].number, 1);
    EXPECT_EQ(sink.shown[0].extra, QStringLiteral("ログデータ2件目のデータが多すぎます。"));
    EXPECT_EQ(sink.shown[1].extra, QStringLiteral("ログデータ3件目のデータが多すぎます。"));

    sink.clear();
    sink.answers = {ButtonNo};
    ASSERT_TRUE(load(path));
    EXPECT_EQ(store.count(), 1); // what was read before the stop stays
    EXPECT_EQ(sink.numbers(), QList<int>{1});
}

TEST_F(CommLogFileTest, MoreThan3000LinesStopWithMessage20) {
    QByteArray text;
    for (int i = 0; i < 3002; ++i)
        text += "HOST1:" + QByteArray::number(i) + "\r\n";
    ASSERT_TRUE(load(writeRaw(text)));
    EXPECT_EQ(store.count(), 3000);
    ASSERT_EQ(sink.numbers(), QList<int>{20});
    EXPECT_EQ(sink.shown[0].extra, QStringLiteral("入力できるデータ件数を超えています。"));
    EXPECT_EQ(store.entry(2999).data, QStringLiteral("2999"));
}

TEST_F(CommLogFileTest, FieldLimitsAtTheirEdges) {
    // A unit of 10 characters and data of 494 are kept; one more of either asks.
    const QByteArray data494(494, 'B');
    const QString path = writeRaw("HOST123456:06\r\nHOST1:" + data494 + "\r\n");
    ASSERT_TRUE(load(path));
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_EQ(entries(), (QStringList{QStringLiteral("HOST123456|06"),
                                      QStringLiteral("HOST1|") + QString::fromLatin1(data494)}));
    // A name of 128 characters is still read.
    const QString name128 =
        dir.path() + QLatin1Char('/') + QString(128 - dir.path().size() - 1, QLatin1Char('y'));
    ASSERT_EQ(name128.size(), 128);
    ASSERT_TRUE(writeBytes(name128, "CAMERA1:15\r\n"));
    EXPECT_TRUE(load(name128));
    EXPECT_EQ(store.entry(0).data, QStringLiteral("15"));
}

TEST_F(CommLogFileTest, LineWithoutUnitIsKeptEmptyAndCountsTowardsTheLimit) {
    // Inside the limit the data of a unit-less line is dropped with it.
    ASSERT_TRUE(load(writeRaw("HOST1:FE\r\n :06\r\nCAMERA1:15\r\n")));
    EXPECT_EQ(entries(), Words("HOST1|FE | CAMERA1|15"));
    // Past 3000 lines, data without a unit stops the reading as a unit would; empty items
    // are dropped safely.
    ASSERT_TRUE(load(fullLog(3000, " :06\r\n")));
    EXPECT_EQ(sink.numbers(), QList<int>{20});
    EXPECT_EQ(store.count(), 3000);
    sink.clear();
    ASSERT_TRUE(load(fullLog(3000, " :\r\n :\r\n :\r\n")));
    EXPECT_EQ(store.count(), 3000);
    EXPECT_TRUE(sink.shown.isEmpty());
}

TEST_F(CommLogFileTest, RefusedNamesAndUnreadableFiles) {
    store.Add_MsFlexGrid(QStringLiteral("KEEP"), QStringLiteral("1"));
    const QString longName =
        dir.path() + QLatin1Char('/') + QString(129 - dir.path().size() - 1, QLatin1Char('x'));
    ASSERT_EQ(longName.size(), 129);
    EXPECT_FALSE(load(longName));
    ASSERT_EQ(sink.numbers(), QList<int>{4});
    EXPECT_EQ(sink.shown[0].extra, QStringLiteral("ファイル名が大き過ぎます。"));
    EXPECT_EQ(store.count(), 1);

    sink.clear();
    EXPECT_FALSE(load(dir.filePath(QStringLiteral("missing.log"))));
    EXPECT_EQ(sink.numbers(), QList<int>{25});
    EXPECT_EQ(store.count(), 1);

    sink.clear();
    EXPECT_FALSE(CommLogFile::save(dir.filePath(QStringLiteral("no/such/dir.log")), store, sink));
    EXPECT_EQ(sink.numbers(), QList<int>{24});
}
