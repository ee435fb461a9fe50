#include "link/FrameCodec.h"
#include "Words.h"

#include <gtest/gtest.h>

using namespace zel;

using zel::test::Words;

namespace {
CommSendRecord record(const char* camera, const char* remote, const char* request) {
    return {QString::fromLatin1(camera), QString::fromLatin1(remote), QString::fromLatin1(request),
            u"0"_qs, u"5"_qs};
}
QString build(const char* camera, const char* remote, const char* request, const QString& data) {
    return BuildCommandFrame(record(camera, remote, request), data).value_or(u"?"_qs);
}
// Camera 1, remote 1, no request.
QString build(const QString& data) {
    return build("1", "1", "False", data);
}
} // namespace

TEST(FrameCodec, WorkedExamplesLengthPaddingAndRequestDigit) {
    EXPECT_EQ(build(u"20"_qs), u"FE080010012038FFFF"_qs);
    EXPECT_EQ(build("123", "5", "True", u"2A0103"_qs), u"FE0A1231052A010305FFFF"_qs);
    EXPECT_EQ(build("255", "99", "False", {}), u"FE07255099EAFFFF"_qs);
    // No data: eight bytes, length 07. Camera 5 -> digits 0 0 5, remote 7 -> 0 7.
    EXPECT_EQ(build("5", "7", "False", {}), u"FE0700500751FFFF"_qs);
    // Nine data bytes: length 0x10; eight: 0x0F with its leading zero.
    EXPECT_EQ(build(QString(18, QLatin1Char('0'))).mid(2, 2), u"10"_qs);
    EXPECT_EQ(build(QString(16, QLatin1Char('0'))).mid(2, 2), u"0F"_qs);
    // Lower-case data is framed in upper case.
    EXPECT_EQ(build(u"ab"_qs).mid(10, 2), u"AB"_qs);
    // FE ^ 08 ^ 00 ^ 10 ^ 01 = E7; data 18 makes the XOR FF and the checksum 00.
    EXPECT_EQ(build(u"18"_qs), u"FE080010011800FFFF"_qs);
    // A checksum below 0x10 keeps its leading zero: data 10 gives 08.
    EXPECT_EQ(build(u"10"_qs), u"FE080010011008FFFF"_qs);
    // The request digit is set only for the exact text True.
    EXPECT_EQ(build("1", "1", "True", {}).mid(6, 2), u"11"_qs);
    for (const char* other : {"true", "TRUE", "1", "", "False"})
        EXPECT_EQ(build("1", "1", other, {}).mid(6, 2), u"10"_qs) << other;
}

TEST(FrameCodec, RefusesWhatCannotBeFramed) {
    const auto bad = [](const char* camera, const char* remote, const QString& data) {
        return !BuildCommandFrame(record(camera, remote, "False"), data).has_value();
    };
    EXPECT_TRUE(bad("1000", "1", {})); // four digits would shift every field
    EXPECT_TRUE(bad("1", "100", {}));
    EXPECT_TRUE(bad("-1", "1", {}));
    EXPECT_TRUE(bad("abc", "1", {}));
    EXPECT_TRUE(bad("1", "1", u"123"_qs));
    EXPECT_TRUE(bad("1", "1", u"GG"_qs));
    EXPECT_TRUE(bad("1", "1", QString(2 * 249, QLatin1Char('0'))));
    EXPECT_FALSE(bad("999", "0", QString(2 * 248, QLatin1Char('0'))));
    EXPECT_EQ(build(QString(2 * 248, QLatin1Char('0'))).mid(2, 2), u"FF"_qs);
}

TEST(FrameCodec, RawRecordsByLeadingNumber) {
    CommSendRecord r = record("1", "0", "0");
    // clang-format off
    for (const auto& [raw, isRaw] : {std::pair{"1", true}, {"2", true}, {" 1", true}, {"7x", true},
                                     {"0", false}, {"", false}, {"x1", false}, {"00", false}}) {
        // clang-format on
        r.Raw = QString::fromLatin1(raw);
        EXPECT_EQ(IsRawRecord(r), isRaw) << raw;
    }
}

TEST(FrameCodec, CompletenessRule) {
    EXPECT_EQ(ClassifyReply(u"06"_qs), ReplyKind::Ack);
    EXPECT_EQ(ClassifyReply(u"15"_qs), ReplyKind::Nack);
    EXPECT_EQ(ClassifyReply(u"00"_qs), ReplyKind::Busy);
    EXPECT_EQ(ClassifyReply(u"150000"_qs), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(u"06FD"_qs), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply({}), ReplyKind::Incomplete);
    // FD, length 6 (N - 1), three payload bytes... complete; length one short is not.
    EXPECT_EQ(ClassifyReply(u"FD06AABB00FFFF"_qs), ReplyKind::Data);
    EXPECT_EQ(ClassifyReply(u"fd06aabb00ffff"_qs), ReplyKind::Data);
    EXPECT_EQ(ClassifyReply(u"FD05AABB00FFFF"_qs), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(u"FD06AABB00FF"_qs), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(u"FE06AABB00FFFF"_qs), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(u"FDZZFFFF"_qs), ReplyKind::Incomplete);
    // Start byte, length byte and checksum right (FD ^ 06 ^ 01 ^ 02 ^ FF = 07); only the end
    // bytes differ from FF FF, so the reply must not be taken.
    for (const char* ends : {"FFFE", "FEFF", "0000", "FF00"}) {
        const QString reply = u"FD06010207"_qs + QString::fromLatin1(ends);
        EXPECT_TRUE(ReplyChecksumOk(reply)) << ends;
        EXPECT_EQ(ClassifyReply(reply), ReplyKind::Incomplete) << ends;
    }
    EXPECT_EQ(ClassifyReply(u"FD06010207FFFF"_qs), ReplyKind::Data);
}

TEST(FrameCodec, ReplyChecksumAndFieldReadersStayInsideTheReply) {
    // FD ^ 06 ^ 01 ^ 02 = F8; ^ FF = 07.
    // Minimum: start, length 4, checksum, two ends. FD ^ 04 ^ FF = 06.
    for (const char* good : {"FD06010207FFFF", "FD0406FFFF"})
        EXPECT_TRUE(ReplyChecksumOk(QString::fromLatin1(good))) << good;
    // Short, single-byte and garbage replies are receive errors, never reads out of range.
    for (const char* bad :
         {"FD06010208FFFF", "06", "", "FD03FFFF", "FD", "FD06010207FFFFFF", "FD06XX0207FFFF"})
        EXPECT_FALSE(ReplyChecksumOk(QString::fromLatin1(bad))) << bad;
    const QString reply = u"FD06010207FFFF"_qs;
    EXPECT_EQ((QList<int>{ReplyByteCount(reply), ReplyByteAt(reply, 0), ReplyByteAt(reply, 3),
                          ReplyByteAt(reply, 6), ReplyByteAt(reply, 7), ReplyByteAt(reply, -1),
                          ReplyByteAt(u"0"_qs, 0)}),
              (QList<int>{7, 0xFD, 0x02, 0xFF, -1, -1, -1}));
}

TEST(FrameCodec, CameraDigitsOfSentFrame) {
    QStringList digits;
    for (const char* frame :
         {"FE0A1231052A010305FFFF", "FE080120012038FFFF", "FE0800", "AB", "FE08A1"})
        digits.append(CameraDigitsOfFrame(QString::fromLatin1(frame)));
    EXPECT_EQ(digits, Words("123 12 0 0 0"));
}
