#include "link/CommLogCsv.h"
#include "RecordingSink.h"
#include "TestFiles.h"
#include "common/MessageNumber.h"
#include "link/CommLogFile.h"
#include "link/CommLogStore.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {
struct FakeClock {
    qint64 steady = 5000;
    qint64 wall = 1'800'000'000'000;
    CommLogClock clock() {
        return {[this] { return steady; }, [this] { return wall; }};
    }
};
} // namespace

TEST(CommLogTimes, EntriesAreStampedFromTheRecordingStart) {
    FakeClock time;
    CommLogStore store;
    store.setClock(time.clock());
    time.steady += 700; // before the start: not part of the recording's times
    store.startRecording();
    time.steady += 125;
    time.wall += 125;
    store.Add_MsFlexGrid_Host(u"1"_qs, u"FE07255099EAFFFF"_qs);
    time.steady += 3'600'000 + 61'001;
    store.Add_MsFlexGrid_Cam(u"1"_qs, u"06"_qs);
    ASSERT_EQ(store.count(), 2);
    EXPECT_EQ(store.entry(0).elapsedMs, 125);
    EXPECT_EQ(store.entry(0).wallClockMs, 1'800'000'000'125);
    EXPECT_EQ(CommLogCsv::elapsedText(store.entry(0).elapsedMs), u"00:00.125"_qs);
    EXPECT_EQ(CommLogCsv::elapsedText(store.entry(1).elapsedMs), u"1:01:01.126"_qs);
    // A restart counts from zero again.
    store.stopRecording();
    store.startRecording();
    time.steady += 9;
    store.Add_MsFlexGrid_Cam(u"1"_qs, u"06"_qs);
    EXPECT_EQ(store.entry(0).elapsedMs, 9);
}

TEST(CommLogCsv, ColumnsQuotingAndFailedWrite) {
    QTemporaryDir dir;
    RecordingSink sink;
    const qint64 wall = QDateTime(QDate(2026, 12, 6), QTime(19, 1, 2, 345)).toMSecsSinceEpoch();
    const QVector<CommLogRow> rows{
        {{u"HOST1:"_qs, u"FE"_qs, 125, wall},
         {FrameDirection::Sent, 3, 0xB1, u"title write TOUR 3 \"A,B\""_qs}},
        {{u"CAMERA3"_qs, u"06"_qs}, {FrameDirection::Received, 3, 0xB1, u"ACK"_qs}},
    };
    const QString path = dir.filePath(u"log.csv"_qs);
    ASSERT_TRUE(CommLogCsv::write(path, rows, sink));
    EXPECT_EQ(QString::fromUtf8(readBytes(path)),
              QStringLiteral("time_ms,wall_clock,direction,unit,data,meaning\r\n"
                             "125,2026-12-06 19:01:02.345,sent,HOST1:,FE,"
                             "\"title write TOUR 3 \"\"A,B\"\"\"\r\n"
                             ",,received,CAMERA3,06,ACK\r\n"));
    // A folder cannot be written: message 24, nothing else touched.
    EXPECT_FALSE(CommLogCsv::write(dir.path(), rows, sink));
    EXPECT_EQ(sink.numbers(), QList<int>{MessageCannotSave});
}
