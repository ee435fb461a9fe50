#include "RecordingSink.h"
#include "TestFiles.h"
#include "Words.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/TextFile.h"
#include "link/CommLogCsv.h"
#include "link/CommLogFile.h"
#include "link/CommLogSession.h"
#include "link/CommLogStore.h"

#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

// The store's entries as "unit|data".
static QStringList entries(const CommLogStore& store) {
    QStringList list;
    for (int i = 0; i < store.count(); ++i)
        list.append(store.entry(i).unit + QLatin1Char('|') + store.entry(i).data);
    return list;
}

static QString frameNo(int i) {
    return u"F%1"_qs.arg(i, 4, 10, QLatin1Char('0'));
}

class CommLogFileTest : public ::testing::Test {
protected:
    QString writeRaw(const QByteArray& bytes, const QString& name = u"t.log"_qs) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    bool load(const QString& path) { return CommLogFile::load(path, store, sink); }
    QStringList entries() const { return ::entries(store); }
    // A file of `count` lines "HOST1:<line index>" followed by `rest`.
    QString fullLog(int count, const QByteArray& rest) {
        QByteArray text;
        for (int i = 0; i < count; ++i)
            text += "HOST1:" + QByteArray::number(i) + "\r\n";
        return writeRaw(text + rest);
    }

    QTemporaryDir dir;
    CommLogStore store;
    RecordingSink sink;
};

TEST(CommLogStore, KeepsTheNewest3000) {
    CommLogStore store;
    for (int i = 0; i < 3001; ++i)
        store.Add_MsFlexGrid(u"HOST1:"_qs, frameNo(i));
    ASSERT_EQ(store.count(), 3000);
    EXPECT_EQ((QStringList{store.entry(0).data, store.entry(2999).data}),
              (QStringList{frameNo(1), frameNo(3000)}));
    for (int i = 3001; i < 7500; ++i)
        store.Add_MsFlexGrid(u"HOST1:"_qs, frameNo(i));
    // Out of range reads nothing.
    EXPECT_EQ((QStringList{store.entry(0).data, store.entry(2999).data, store.entry(3000).data,
                           store.entry(-1).data}),
              (QStringList{frameNo(4500), frameNo(7499), QString(), QString()}));
}

TEST(CommLogStore, RecordsOnlyBetweenStartAndStop) {
    CommLogStore store;
    int changes = 0;
    store.onChanged = [&] { ++changes; };
    store.Add_MsFlexGrid_Host(u"1"_qs, u"FE"_qs);
    EXPECT_EQ(store.count(), 0);
    store.Add_MsFlexGrid(u"X"_qs, u"Y"_qs);
    store.startRecording(); // empties the list
    EXPECT_EQ(store.count(), 0);
    // A reply whose frame went out before the start is stored alone.
    store.Add_MsFlexGrid_Cam(u"12"_qs, u"06"_qs);
    store.Add_MsFlexGrid_Host(u"3"_qs, u"FE07"_qs);
    store.stopRecording();
    store.Add_MsFlexGrid_Cam(u"12"_qs, u"15"_qs);
    EXPECT_EQ(entries(store), Words("CAMERA12:|06 HOST3:|FE07"));
    EXPECT_GT(changes, 0);
}

// Saved with the unit's colon and without the recording's times, so the next load splits
// unit and data again; a file written without the colon (earlier versions) splits at the tab
// and saves the same bytes. Loaded entries have no times.
TEST_F(CommLogFileTest, SaveAndLoadRoundTrip) {
    const QByteArray saved("HOST1:\tFE080010012038FFFF\r\nCAMERA1:\t06\r\n");
    store.startRecording();
    store.Add_MsFlexGrid_Host(u"1"_qs, u"FE080010012038FFFF"_qs);
    store.Add_MsFlexGrid_Cam(u"1"_qs, u"06"_qs);
    ASSERT_GE(store.entry(0).elapsedMs, 0);
    const QString path = dir.filePath(u"a.log"_qs);
    ASSERT_TRUE(CommLogFile::save(path, store, sink));
    EXPECT_EQ(readBytes(path), saved);
    for (const QString& file : {path, writeRaw("HOST1\tFE080010012038FFFF\r\nCAMERA1\t06\r\n")}) {
        ASSERT_TRUE(load(file));
        EXPECT_EQ(entries(), Words("HOST1|FE080010012038FFFF CAMERA1|06"));
        EXPECT_EQ(store.entry(0).elapsedMs, -1);
        EXPECT_EQ(store.entry(1).wallClockMs, -1);
        ASSERT_TRUE(CommLogFile::save(dir.filePath(u"again.log"_qs), store, sink));
        EXPECT_EQ(readBytes(dir.filePath(u"again.log"_qs)), saved);
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
        const QString once = dir.filePath(u"once.log"_qs);
        const QString twice = dir.filePath(u"twice.log"_qs);
        ASSERT_TRUE(CommLogFile::save(once, first, sink)) << name.toStdString();
        // A few seeds keep only CP932 bytes that also read as UTF-8, which every text reader
        // refuses; the log's own reading is not in question there.
        if (!LooksLikeCp932Text(readBytes(once)))
            continue;
        CommLogStore second;
        ASSERT_TRUE(CommLogFile::load(once, second, sink)) << name.toStdString();
        EXPECT_EQ(::entries(second), ::entries(first)) << name.toStdString();
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
    const QString path = writeRaw("HOST1:FE\r\nHOST1234567:06\r\nHOST1:" + QByteArray(495, 'A') +
                                  "\r\nCAMERA1:06\r\n"); // a unit, then data one too long

    sink.answers = {ButtonYes, ButtonYes};
    ASSERT_TRUE(load(path));
    EXPECT_EQ(entries(), Words("HOST1|FE | | CAMERA1|06")); // kept as empty lines
    ASSERT_EQ(sink.shown.size(), 2);
    EXPECT_EQ(sink.shown[0].number, 1);
    EXPECT_EQ(sink.shown[0].extra, u"ログデータ2件目のデータが多すぎます。"_qs);
    EXPECT_EQ(sink.shown[1].extra, u"ログデータ3件目のデータが多すぎます。"_qs);

    sink.clear();
    sink.answers = {ButtonNo};
    ASSERT_TRUE(load(path));
    EXPECT_EQ(store.count(), 1); // what was read before the stop stays
    EXPECT_EQ(sink.numbers(), QList<int>{1});
}

TEST_F(CommLogFileTest, MoreThan3000LinesStopWithMessage20) {
    ASSERT_TRUE(load(fullLog(3002, {})));
    EXPECT_EQ(store.count(), 3000);
    ASSERT_EQ(sink.numbers(), QList<int>{20});
    EXPECT_EQ(sink.shown[0].extra, u"入力できるデータ件数を超えています。"_qs);
    EXPECT_EQ(store.entry(2999).data, u"2999"_qs);
}

TEST_F(CommLogFileTest, FieldLimitsAtTheirEdges) {
    // A unit of 10 characters and data of 494 are kept; one more of either asks.
    const QByteArray data494(494, 'B');
    const QString path = writeRaw("HOST123456:06\r\nHOST1:" + data494 + "\r\n");
    ASSERT_TRUE(load(path));
    EXPECT_TRUE(sink.shown.isEmpty());
    EXPECT_EQ(entries(),
              (QStringList{u"HOST123456|06"_qs, u"HOST1|"_qs + QString::fromLatin1(data494)}));
    // A name of 128 characters is still read.
    const QString name128 =
        dir.path() + QLatin1Char('/') + QString(128 - dir.path().size() - 1, QLatin1Char('y'));
    ASSERT_EQ(name128.size(), 128);
    ASSERT_TRUE(writeBytes(name128, "CAMERA1:15\r\n"));
    EXPECT_TRUE(load(name128));
    EXPECT_EQ(store.entry(0).data, u"15"_qs);
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
    store.Add_MsFlexGrid(u"KEEP"_qs, u"1"_qs);
    const QString longName =
        dir.path() + QLatin1Char('/') + QString(129 - dir.path().size() - 1, QLatin1Char('x'));
    ASSERT_EQ(longName.size(), 129);
    EXPECT_FALSE(load(longName));
    ASSERT_EQ(sink.numbers(), QList<int>{4});
    EXPECT_EQ(sink.shown[0].extra, u"ファイル名が大き過ぎます。"_qs);
    EXPECT_EQ(store.count(), 1);

    sink.clear();
    EXPECT_FALSE(load(dir.filePath(u"missing.log"_qs)));
    EXPECT_EQ(sink.numbers(), QList<int>{25});
    EXPECT_EQ(store.count(), 1);

    sink.clear();
    EXPECT_FALSE(CommLogFile::save(dir.filePath(u"no/such/dir.log"_qs), store, sink));
    EXPECT_EQ(sink.numbers(), QList<int>{24});
}

TEST(CommLogTimes, EntriesAreStampedFromTheRecordingStart) {
    qint64 steady = 5000, wall = 1'800'000'000'000;
    CommLogStore store;
    store.setClock({[&] { return steady; }, [&] { return wall; }});
    steady += 700; // before the start: not part of the recording's times
    store.startRecording();
    steady += 125;
    wall += 125;
    store.Add_MsFlexGrid_Host(u"1"_qs, u"FE07255099EAFFFF"_qs);
    steady += 3'600'000 + 61'001;
    store.Add_MsFlexGrid_Cam(u"1"_qs, u"06"_qs);
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.entry(0).elapsedMs, 125);
    EXPECT_EQ(store.entry(0).wallClockMs, 1'800'000'000'125);
    EXPECT_EQ(CommLogCsv::elapsedText(store.entry(0).elapsedMs), u"00:00.125"_qs);
    EXPECT_EQ(CommLogCsv::elapsedText(store.entry(1).elapsedMs), u"1:01:01.126"_qs);
    // A restart counts from zero again.
    store.stopRecording();
    store.startRecording();
    steady += 9;
    store.Add_MsFlexGrid_Cam(u"1"_qs, u"06"_qs);
    EXPECT_EQ(store.entry(0).elapsedMs, 9);
}

TEST_F(CommLogFileTest, CsvColumnsQuotingAndFailedWrite) {
    const qint64 wall = QDateTime(QDate(2026, 12, 6), QTime(19, 1, 2, 345)).toMSecsSinceEpoch();
    const QVector<CommLogRow> rows{
        {{u"HOST1:"_qs, u"FE"_qs, 125, wall},
         {FrameDirection::Sent, 3, 0xB1, u"title write TOUR 3 \"A,B\""_qs}},
        {{u"CAMERA3"_qs, u"06"_qs}, {FrameDirection::Received, 3, 0xB1, u"ACK"_qs}},
    };
    const QString path = dir.filePath(u"log.csv"_qs);
    ASSERT_TRUE(CommLogCsv::write(path, rows, sink));
    EXPECT_EQ(readBytes(path), "time_ms,wall_clock,direction,unit,data,meaning\r\n"
                               "125,2026-12-06 19:01:02.345,sent,HOST1:,FE,"
                               "\"title write TOUR 3 \"\"A,B\"\"\"\r\n"
                               ",,received,CAMERA3,06,ACK\r\n");
    // A folder cannot be written: message 24, nothing else touched.
    EXPECT_FALSE(CommLogCsv::write(dir.path(), rows, sink));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageCannotSave});
}

TEST_F(CommLogFileTest, WhileRecordingOnlyStopIsOfferedAndFilesAreRefused) {
    CommLogSession session{store, sink};
    const QString path = dir.filePath(u"a.log"_qs);
    store.Add_MsFlexGrid(u"HOST"_qs, u"FE01"_qs);
    CommLogSession::Controls idle = session.controls();
    EXPECT_TRUE(idle.start && idle.files && idle.search);
    EXPECT_FALSE(idle.stop || idle.recordingNote);

    int changes = 0;
    session.onChanged = [&] { ++changes; };
    session.start();
    EXPECT_EQ(store.count(), 0); // LOG START empties the store
    const CommLogSession::Controls recording = session.controls();
    EXPECT_TRUE(recording.stop && recording.recordingNote);
    EXPECT_FALSE(recording.start || recording.files || recording.search);
    store.Add_MsFlexGrid(u"HOST"_qs, u"FE02"_qs);
    EXPECT_FALSE(session.save(path) || session.load(path));
    EXPECT_EQ(store.count(), 1);

    session.stop();
    EXPECT_TRUE(session.save(path));
    store.clear();
    EXPECT_TRUE(session.load(path));
    EXPECT_EQ(store.count(), 1);
    EXPECT_EQ(changes, 3); // start, stop, load
    EXPECT_TRUE(sink.shown.isEmpty());
}

TEST_F(CommLogFileTest, ClosingTheSessionEndsARecordingAndKeepsWhatItRecorded) {
    CommLogSession session{store, sink};
    session.close(); // nothing recording: nothing changes
    EXPECT_FALSE(store.isRecording());
    session.start();
    store.Add_MsFlexGrid(u"HOST"_qs, u"FE03"_qs);
    session.close();
    EXPECT_FALSE(store.isRecording());
    EXPECT_EQ(store.count(), 1);
}
