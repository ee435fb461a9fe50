#include "link/FrameCodec.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {
CommSendRecord record(const char* camera, const char* remote, const char* request) {
    return {QString::fromLatin1(camera), QString::fromLatin1(remote), QString::fromLatin1(request),
            QStringLiteral("0"), QStringLiteral("5")};
}
QString build(const char* camera, const char* remote, const char* request, const QString& data) {
    return BuildCommandFrame(record(camera, remote, request), data).value_or(QStringLiteral("?"));
}
// Camera 1, remote 1, no request.
QString build(const QString& data) {
    return build("1", "1", "False", data);
}
} // namespace

TEST(FrameCodec, WorkedExamples) {
    EXPECT_EQ(build(QStringLiteral("20")), QStringLiteral("FE080010012038FFFF"));
    EXPECT_EQ(build("123", "5", "True", QStringLiteral("2A0103")),
              QStringLiteral("FE0A1231052A010305FFFF"));
    EXPECT_EQ(build("255", "99", "False", {}), QStringLiteral("FE07255099EAFFFF"));
    // No data: eight bytes, length 07. Camera 5 -> digits 0 0 5, remote 7 -> 0 7.
    EXPECT_EQ(build("5", "7", "False", {}), QStringLiteral("FE0700500751FFFF"));
}

TEST(FrameCodec, LengthByteAndPadding) {
    // Nine data bytes: length 0x10; eight: 0x0F with its leading zero.
    EXPECT_EQ(build(QString(18, QLatin1Char('0'))).mid(2, 2), QStringLiteral("10"));
    EXPECT_EQ(build(QString(16, QLatin1Char('0'))).mid(2, 2), QStringLiteral("0F"));
    // Lower-case data is framed in upper case.
    EXPECT_EQ(build(QStringLiteral("ab")).mid(10, 2), QStringLiteral("AB"));
    // FE ^ 08 ^ 00 ^ 10 ^ 01 = E7; data 18 makes the XOR FF and the checksum 00.
    EXPECT_EQ(build(QStringLiteral("18")), QStringLiteral("FE080010011800FFFF"));
    // A checksum below 0x10 keeps its leading zero: data 10 gives 08.
    EXPECT_EQ(build(QStringLiteral("10")), QStringLiteral("FE080010011008FFFF"));
}

TEST(FrameCodec, RequestDigitOnlyForExactTrue) {
    EXPECT_EQ(build("1", "1", "True", {}).mid(6, 2), QStringLiteral("11"));
    for (const char* other : {"true", "TRUE", "1", "", "False"})
        EXPECT_EQ(build("1", "1", other, {}).mid(6, 2), QStringLiteral("10")) << other;
}

TEST(FrameCodec, RefusesWhatCannotBeFramed) {
    const auto bad = [](const char* camera, const char* remote, const QString& data) {
        return !BuildCommandFrame(record(camera, remote, "False"), data).has_value();
    };
    EXPECT_TRUE(bad("1000", "1", {})); // four digits would shift every field
    EXPECT_TRUE(bad("1", "100", {}));
    EXPECT_TRUE(bad("-1", "1", {}));
    EXPECT_TRUE(bad("abc", "1", {}));
    EXPECT_TRUE(bad("1", "1", QStringLiteral("123")));
    EXPECT_TRUE(bad("1", "1", QStringLiteral("GG")));
    EXPECT_TRUE(bad("1", "1", QString(2 * 249, QLatin1Char('0'))));
    EXPECT_FALSE(bad("999", "0", QString(2 * 248, QLatin1Char('0'))));
    EXPECT_EQ(build(QString(2 * 248, QLatin1Char('0'))).mid(2, 2), QStringLiteral("FF"));
}

TEST(FrameCodec, RawRecordsByLeadingNumber) {
    CommSendRecord r = record("1", "0", "0");
    for (const char* raw : {"1", "2", " 1", "7x"}) {
        r.Raw = QString::fromLatin1(raw);
        EXPECT_TRUE(IsRawRecord(r)) << raw;
    }
    for (const char* raw : {"0", "", "x1", "00"}) {
        r.Raw = QString::fromLatin1(raw);
        EXPECT_FALSE(IsRawRecord(r)) << raw;
    }
}

TEST(FrameCodec, CompletenessRule) {
    EXPECT_EQ(ClassifyReply(QStringLiteral("06")), ReplyKind::Ack);
    EXPECT_EQ(ClassifyReply(QStringLiteral("15")), ReplyKind::Nack);
    EXPECT_EQ(ClassifyReply(QStringLiteral("00")), ReplyKind::Busy);
    EXPECT_EQ(ClassifyReply(QStringLiteral("150000")), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(QStringLiteral("06FD")), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply({}), ReplyKind::Incomplete);
    // FD, length 6 (N - 1), three payload bytes... complete; length one short is not.
    EXPECT_EQ(ClassifyReply(QStringLiteral("FD06AABB00FFFF")), ReplyKind::Data);
    EXPECT_EQ(ClassifyReply(QStringLiteral("fd06aabb00ffff")), ReplyKind::Data);
    EXPECT_EQ(ClassifyReply(QStringLiteral("FD05AABB00FFFF")), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(QStringLiteral("FD06AABB00FF")), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(QStringLiteral("FE06AABB00FFFF")), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(QStringLiteral("FDZZFFFF")), ReplyKind::Incomplete);
}

TEST(FrameCodec, DataReplyIsCompleteOnlyWithBothEndBytes) {
    // Start byte, length byte and checksum right (FD ^ 06 ^ 01 ^ 02 ^ FF = 07); only the end
    // bytes differ from FF FF, so the reply must not be taken.
    for (const char* ends : {"FFFE", "FEFF", "0000", "FF00"}) {
        const QString reply = QStringLiteral("FD06010207") + QString::fromLatin1(ends);
        EXPECT_TRUE(ReplyChecksumOk(reply)) << ends;
        EXPECT_EQ(ClassifyReply(reply), ReplyKind::Incomplete) << ends;
    }
    EXPECT_EQ(ClassifyReply(QStringLiteral("FD06010207FFFF")), ReplyKind::Data);
}

TEST(FrameCodec, ReplyChecksum) {
    // FD ^ 06 ^ 01 ^ 02 = F8; ^ FF = 07.
    EXPECT_TRUE(ReplyChecksumOk(QStringLiteral("FD06010207FFFF")));
    EXPECT_FALSE(ReplyChecksumOk(QStringLiteral("FD06010208FFFF")));
    // Short, single-byte and garbage replies are receive errors, never reads out of range.
    EXPECT_FALSE(ReplyChecksumOk(QStringLiteral("06")));
    EXPECT_FALSE(ReplyChecksumOk({}));
    EXPECT_FALSE(ReplyChecksumOk(QStringLiteral("FD03FFFF")));
    EXPECT_FALSE(ReplyChecksumOk(QStringLiteral("FD")));
    EXPECT_FALSE(ReplyChecksumOk(QStringLiteral("FD06010207FFFFFF")));
    EXPECT_FALSE(ReplyChecksumOk(QStringLiteral("FD06XX0207FFFF")));
    // Minimum: start, length 4, checksum, two ends. FD ^ 04 ^ FF = 06.
    EXPECT_TRUE(ReplyChecksumOk(QStringLiteral("FD0406FFFF")));
}

TEST(FrameCodec, BoundsCheckedFieldReaders) {
    const QString reply = QStringLiteral("FD06010207FFFF");
    EXPECT_EQ(ReplyByteCount(reply), 7);
    EXPECT_EQ(ReplyByteAt(reply, 0), 0xFD);
    EXPECT_EQ(ReplyByteAt(reply, 3), 0x02);
    EXPECT_EQ(ReplyByteAt(reply, 6), 0xFF);
    EXPECT_EQ(ReplyByteAt(reply, 7), -1);
    EXPECT_EQ(ReplyByteAt(reply, -1), -1);
    EXPECT_EQ(ReplyByteAt(QStringLiteral("0"), 0), -1);
}

TEST(FrameCodec, CameraDigitsOfSentFrame) {
    EXPECT_EQ(CameraDigitsOfFrame(QStringLiteral("FE0A1231052A010305FFFF")), QStringLiteral("123"));
    EXPECT_EQ(CameraDigitsOfFrame(QStringLiteral("FE080120012038FFFF")), QStringLiteral("12"));
    EXPECT_EQ(CameraDigitsOfFrame(QStringLiteral("FE0800")), QStringLiteral("0"));
    EXPECT_EQ(CameraDigitsOfFrame(QStringLiteral("AB")), QStringLiteral("0"));
    EXPECT_EQ(CameraDigitsOfFrame(QStringLiteral("FE08A1")), QStringLiteral("0"));
}
