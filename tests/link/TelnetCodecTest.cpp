#include "link/TelnetCodec.h"
#include "ByteList.h"

#include <gtest/gtest.h>

using namespace zel::telnet;
using zel::test::bytes;

namespace {

TEST(TelnetCodecTest, IacIsDoubledAndCrIsPaddedOnlyWithoutBinary) {
    EXPECT_EQ(escapeData(bytes({0xFE, 0xFF, 0x0D, 0x41}), true),
              bytes({0xFE, 0xFF, 0xFF, 0x0D, 0x41}));
    EXPECT_EQ(escapeData(bytes({0x0D, 0xFF}), false), bytes({0x0D, 0x00, 0xFF, 0xFF}));
    // The decoder drops the NUL after a CR only without binary.
    Decoder decoder;
    EXPECT_EQ(decoder.feed(bytes({0x0D})).data, bytes({0x0D}));
    EXPECT_EQ(decoder.feed(bytes({0x00, 0x00})).data, bytes({0x00}));
}

TEST(TelnetCodecTest, DecoderSeparatesDataFromCommandsSplitAnywhere) {
    // Data FF, WILL BINARY, data 0D 00 (kept in binary), a COM-PORT answer with an escaped
    // FF in its value, NOP, data 06.
    const QByteArray stream = bytes({0x01, IAC,  IAC, IAC, WILL, 0,   0x0D, 0x00, IAC, SB,  44, 101,
                                     0x00, 0x00, IAC, IAC, 0x00, IAC, SE,   IAC,  241, 0x06});
    for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
        Decoder decoder;
        decoder.setPeerBinary(true);
        Decoded first = decoder.feed(stream.left(cut));
        const Decoded second = decoder.feed(stream.mid(cut));
        ASSERT_TRUE(first.error.isEmpty() && second.error.isEmpty()) << cut;
        EXPECT_EQ(first.data + second.data, bytes({0x01, 0xFF, 0x0D, 0x00, 0x06})) << cut;
        first.events.insert(first.events.end(), second.events.begin(), second.events.end());
        ASSERT_EQ(first.events.size(), 2u) << cut;
        EXPECT_EQ(first.events[0].kind, Event::Kind::Negotiation);
        EXPECT_EQ(first.events[0].verb, WILL);
        EXPECT_EQ(first.events[0].option, OptionBinary);
        EXPECT_EQ(first.events[1].kind, Event::Kind::Subnegotiation);
        EXPECT_EQ(first.events[1].option, OptionComPort);
        EXPECT_EQ(first.events[1].payload, bytes({101, 0x00, 0x00, 0xFF, 0x00}));
    }
}

TEST(TelnetCodecTest, BrokenOrOverlongSubnegotiationIsAnError) {
    Decoder decoder;
    EXPECT_FALSE(decoder.feed(bytes({IAC, SB, 44, 1, IAC, 0x41})).error.isEmpty());
    // After an error the decoder starts over on plain data.
    EXPECT_EQ(decoder.feed(bytes({0x41})).data, bytes({0x41}));

    QByteArray endless = bytes({IAC, SB, 44});
    endless += QByteArray(kMaxSubnegotiation + 1, 'x');
    const Decoded decoded = decoder.feed(endless);
    EXPECT_TRUE(decoded.error.contains(u"longer than"_qs)) << decoded.error.toStdString();
    EXPECT_TRUE(decoded.events.empty());
}

TEST(TelnetCodecTest, ComPortCommandsAndTheirAnswers) {
    EXPECT_EQ(setBaudRate(38400), bytes({IAC, SB, 44, 1, 0x00, 0x00, 0x96, 0x00, IAC, SE}));
    // A value byte 0xFF is doubled inside the subnegotiation.
    EXPECT_EQ(setBaudRate(0xFF), bytes({IAC, SB, 44, 1, 0, 0, 0, 0xFF, 0xFF, IAC, SE}));
    EXPECT_EQ(purgeReceiveBuffer(), bytes({IAC, SB, 44, 12, 1, IAC, SE}));
    EXPECT_EQ(negotiation(DO, OptionSuppressGoAhead), bytes({IAC, DO, 3}));

    const auto rate = parseComPortReply(bytes({101, 0x00, 0x00, 0x4B, 0x00}));
    ASSERT_TRUE(rate);
    EXPECT_EQ(rate->command, SetBaudRate);
    EXPECT_EQ(rate->value, 19200u);
    const auto parity = parseComPortReply(bytes({103, 3}));
    ASSERT_TRUE(parity);
    EXPECT_EQ(parity->command, SetParity);
    EXPECT_EQ(parity->value, 3u);
    // Wrong lengths and client-side codes are not answers.
    for (const QByteArray& bad : {QByteArray(), bytes({101, 0, 0, 0x4B}), bytes({103}),
                                  bytes({103, 3, 3}), bytes({3, 3}), bytes({100})})
        EXPECT_FALSE(parseComPortReply(bad)) << bad.toHex().toStdString();
}

} // namespace
