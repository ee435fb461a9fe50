// Frames as the device reads them off the line.
#include "DeviceFrameReader.h"
#include "SimFrames.h"

#include <gtest/gtest.h>

using namespace zel::sim;
using namespace zel::test;

namespace {

// One line fed at once, holding one frame: what the device reads of it.
TEST(DeviceFrameReader, DecodesAddressDataAndChecksum) {
    QByteArray badSum = commandFrame(1, 0, 1, hex("20"));
    badSum[5] = char(0x21); // data changed, checksum not
    struct Row {
        const char* name;
        QByteArray line;
        int camera, request, remote;
        QByteArray data;
        bool checksumOk;
    };
    const Row rows[] = {
        {"worked frame", hex("FE0A1231052A010305FFFF"), 123, 1, 5, hex("2A0103"), true},
        {"no data at all", hex("FE07255099EAFFFF"), 255, 0, 99, {}, true},
        {"bad checksum", badSum, 1, 0, 1, hex("21"), false},
        // FE FE announces a 254-byte frame; the good frame after it must still come through.
        {"stray start byte", hex("FEFE") + commandFrame(2, 0, 3, hex("8901")), 2, 0, 3, hex("8901"),
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DeviceFrameReader reader;
        const QList<DeviceFrame> frames = reader.feed(row.line);
        ASSERT_EQ(frames.size(), 1);
        EXPECT_EQ(frames[0].camera, row.camera);
        EXPECT_EQ(frames[0].request, row.request);
        EXPECT_EQ(frames[0].remote, row.remote);
        EXPECT_EQ(frames[0].data, row.data);
        EXPECT_EQ(frames[0].command(), row.data.isEmpty() ? -1 : uchar(row.data[0]));
        EXPECT_EQ(frames[0].checksumOk, row.checksumOk);
        EXPECT_EQ(reader.pendingBytes(), 0);
    }
    // A camera number that is not decimal.
    QByteArray odd = hex("FE08A0100120");
    odd += checksumOf(odd) + hex("FFFF");
    DeviceFrameReader reader;
    const QList<DeviceFrame> frames = reader.feed(odd);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].camera, -1);
    EXPECT_TRUE(frames[0].checksumOk);
}

TEST(DeviceFrameReader, JoinsAFrameSplitAcrossFeedsByteByByte) {
    DeviceFrameReader reader;
    const QByteArray frame = commandFrame(7, 1, 12, hex("C103E8"));
    for (qsizetype i = 0; i + 1 < frame.size(); ++i)
        EXPECT_TRUE(reader.feed(frame.mid(i, 1)).isEmpty()) << "byte " << i;
    const QList<DeviceFrame> frames = reader.feed(frame.right(1));
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].camera, 7);
    EXPECT_EQ(frames[0].remote, 12);
    EXPECT_EQ(frames[0].data, hex("C103E8"));
}

TEST(DeviceFrameReader, ResynchronisesOnGarbage) {
    DeviceFrameReader reader;
    const QByteArray good = commandFrame(1, 0, 1, hex("40"));
    // Noise, a start byte with an impossible length, a torn frame whose end bytes are
    // wrong, then two good frames in one feed.
    QByteArray line = hex("0011FF") + hex("FE03") + good.left(6) + hex("0000") + good + good;
    const QList<DeviceFrame> frames = reader.feed(line);
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0].data, hex("40"));
    EXPECT_TRUE(frames[1].checksumOk);
    EXPECT_GT(reader.skippedBytes(), 0);
}

TEST(DeviceFrameReader, DataBytesEqualToStartOrEndDoNotConfuseIt) {
    DeviceFrameReader reader;
    const QByteArray frame = commandFrame(1, 0, 1, hex("C10001") + QByteArray(32, char(0xFE)));
    const QList<DeviceFrame> frames = reader.feed(frame + commandFrame(1, 0, 1, hex("FFFF")));
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0].data.size(), 35);
    EXPECT_EQ(frames[1].data, hex("FFFF"));
}

} // namespace
