// Frames of the flash write phase: DLE stuffing, the 16-bit sum, and the parser both ends use.
#include "cpuwriter/BootFrame.h"
#include "cpuwriter/BootFrameParser.h"

#include <gtest/gtest.h>

#include <QList>

using namespace zel;

namespace {

// Feeds `bytes`; the results in order, Pending left out.
QList<BootFrameParser::Result> feedAll(BootFrameParser& parser, const QByteArray& bytes) {
    QList<BootFrameParser::Result> results;
    for (const char byte : bytes) {
        const auto result = parser.feed(quint8(byte));
        if (result != BootFrameParser::Result::Pending)
            results.append(result);
    }
    return results;
}

TEST(BootFrameTest, ErasedBlockZeroHasTheDocumentedChecksum) {
    const QByteArray frame = EncodeBootFrame(BlockFrameContent(0, QByteArray(0x40000, char(0xFF))));
    ASSERT_EQ(frame.size(), 2 + 132 + 2 + 2);
    EXPECT_EQ(frame.left(6), QByteArray::fromHex("100201840000"));
    EXPECT_EQ(frame.right(4), QByteArray::fromHex("10038018"));
    // Block number high byte first; bytes past the end of an image are erased flash.
    const QByteArray tail = BlockFrameContent(0x0102, QByteArray(0x0102 * 128 + 2, char(0x33)));
    EXPECT_EQ(tail, QByteArray::fromHex("018401023333") + QByteArray(126, char(0xFF)));
}

TEST(BootFrameTest, DleInTheContentIsDoubledAndCountedTwice) {
    QByteArray image(0x40000, char(0xFF));
    image[0x10 * 128 + 5] = char(0x10);
    const QByteArray plain =
        EncodeBootFrame(BlockFrameContent(0x10, QByteArray(0x40000, char(0xFF))));
    const QByteArray stuffed = EncodeBootFrame(BlockFrameContent(0x10, image));
    // Block number 0x0010 is doubled in both; the data byte adds one more pair.
    EXPECT_EQ(plain.mid(2, 5), QByteArray::fromHex("0184001010"));
    EXPECT_EQ(stuffed.size(), plain.size() + 1);
    EXPECT_TRUE(stuffed.contains(QByteArray::fromHex("ffffff1010ff")));
    const int plainSum = quint8(plain[plain.size() - 2]) * 256 + quint8(plain[plain.size() - 1]);
    const int stuffedSum =
        quint8(stuffed[stuffed.size() - 2]) * 256 + quint8(stuffed[stuffed.size() - 1]);
    EXPECT_EQ(stuffedSum, plainSum - 0xFF + 0x20);
}

TEST(BootFrameTest, ParserReadsWhatTheEncoderWrites) {
    BootFrameParser parser;
    const QByteArray content = QByteArray::fromHex("0204101003") + QByteArray(1, 0x10);
    const QByteArray noise = QByteArray::fromHex("00FF55AA");
    EXPECT_EQ(feedAll(parser, noise + EncodeBootFrame(content)),
              QList<BootFrameParser::Result>{BootFrameParser::Result::Frame});
    EXPECT_EQ(parser.content(), content);
    EXPECT_EQ(parser.state(), 0);
}

TEST(BootFrameTest, ParserRefusesBadFrames) {
    using Result = BootFrameParser::Result;
    const QByteArray good = EncodeBootFrame(ReplyFrameContent(5));
    QByteArray offByOne = good;
    offByOne[offByOne.size() - 1] = char(quint8(offByOne[offByOne.size() - 1]) + 1);
    QByteArray badEscape = good;
    badEscape[3] = char(0x10); // content 02 10 00 05: DLE then 0x00
    for (const QByteArray& bad : {offByOne, badEscape, QByteArray::fromHex("1003"),
                                  QByteArray::fromHex("10") + QByteArray(300, 'x')}) {
        BootFrameParser parser;
        QList<Result> results = feedAll(parser, bad);
        ASSERT_FALSE(results.isEmpty()) << bad.toHex().constData();
        EXPECT_EQ(results.first(), Result::Error) << bad.toHex().constData();
    }
    // A content longer than the 256-byte buffer.
    BootFrameParser parser;
    EXPECT_EQ(feedAll(parser, QByteArray::fromHex("1002") + QByteArray(257, 'x')),
              QList<Result>{Result::Error});
}

} // namespace
