#include "link/CommLogSession.h"

#include "RecordingSink.h"
#include "link/CommLogStore.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace zel;
using namespace zel::test;

namespace {

class CommLogSessionTest : public ::testing::Test {
protected:
    CommLogStore store;
    RecordingSink sink;
    CommLogSession session{store, sink};
};

TEST_F(CommLogSessionTest, WhileRecordingOnlyStopIsOfferedAndFilesAreRefused) {
    QTemporaryDir dir;
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
    EXPECT_FALSE(session.save(path));
    EXPECT_FALSE(session.load(path));
    EXPECT_EQ(store.count(), 1);

    session.stop();
    EXPECT_TRUE(session.save(path));
    store.clear();
    EXPECT_TRUE(session.load(path));
    EXPECT_EQ(store.count(), 1);
    EXPECT_EQ(changes, 3); // start, stop, load
    EXPECT_TRUE(sink.shown.isEmpty());
}

TEST_F(CommLogSessionTest, ClosingEndsARecordingAndKeepsWhatItRecorded) {
    session.close(); // nothing recording: nothing changes
    EXPECT_FALSE(store.isRecording());
    session.start();
    store.Add_MsFlexGrid(u"HOST"_qs, u"FE03"_qs);
    session.close();
    EXPECT_FALSE(store.isRecording());
    EXPECT_EQ(store.count(), 1);
}

} // namespace
