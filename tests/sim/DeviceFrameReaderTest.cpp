// Frames as the device reads them off the line.
#include "DeviceFrameReader.h"
#include "SimFrames.h"

#include <gtest/gtest.h>

using namespace zel::sim;
using namespace zel::test;

namespace {

TEST(DeviceFrameReader, DecodesAddressDataAndChecksumOfWorkedFrames) {
    DeviceFrameReader reader;
    // camera 123, request 1, remote 5, data 2A 01 03, checksum 05
    QList<DeviceFrame> frames = reader.feed(hex("FE0A1231052A010305FFFF"));
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].camera, 123);
    EXPECT_EQ(frames[0].request, 1);
    EXPECT_EQ(frames[0].remote, 5);
    EXPECT_EQ(frames[0].data, hex("2A0103"));
    EXPECT_TRUE(frames[0].checksumOk);

    // camera 255, remote 99, no data at all
    frames = reader.feed(hex("FE07255099EAFFFF"));
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].camera, 255);
    EXPECT_EQ(frames[0].remote, 99);
    EXPECT_TRUE(frames[0].data.isEmpty());
    EXPECT_EQ(frames[0].command(), -1);
    EXPECT_TRUE(frames[0].checksumOk);
    EXPECT_EQ(reader.pendingBytes(), 0);
}

TEST(DeviceFrameReader, FlagsBadChecksumAndNonDecimalAddress) {
    DeviceFrameReader reader;
    QByteArray frame = commandFrame(1, 0, 1, hex("20"));
    frame[5] = char(0x21); // data changed, checksum not
    QList<DeviceFrame> frames = reader.feed(frame);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_FALSE(frames[0].checksumOk);

    QByteArray odd = hex("FE08A01001");
    odd.append(hex("20"));
    odd.append(checksumOf(odd));
    odd.append(hex("FFFF"));
    frames = reader.feed(odd);
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

TEST(DeviceFrameReader, StrayStartByteDoesNotSwallowTheNextFrame) {
    DeviceFrameReader reader;
    // FE FE announces a 254-byte frame; the good frame after it must still come through.
    const QByteArray good = commandFrame(2, 0, 3, hex("8901"));
    const QList<DeviceFrame> frames = reader.feed(hex("FEFE") + good);
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(frames[0].camera, 2);
    EXPECT_EQ(frames[0].data, hex("8901"));
    EXPECT_EQ(reader.pendingBytes(), 0);
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
