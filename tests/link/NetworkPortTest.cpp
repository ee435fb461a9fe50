#include "ByteList.h"
#include "link/NetworkPortName.h"
#include "link/Rfc2217Negotiation.h"
#include "link/TelnetCodec.h"

#include <gtest/gtest.h>

using namespace zel::telnet;
using zel::test::bytes;
using namespace zel;

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
        const Event& will = first.events[0];
        const Event& answer = first.events[1];
        EXPECT_EQ(std::tuple(will.kind, int(will.verb), int(will.option)),
                  std::tuple(Event::Kind::Negotiation, int(WILL), int(OptionBinary)));
        EXPECT_EQ(std::tuple(answer.kind, int(answer.option), answer.payload),
                  std::tuple(Event::Kind::Subnegotiation, int(OptionComPort),
                             bytes({101, 0x00, 0x00, 0xFF, 0x00})));
    }
}

TEST(TelnetCodecTest, BrokenOrOverlongSubnegotiationIsAnError) {
    Decoder decoder;
    EXPECT_FALSE(decoder.feed(bytes({IAC, SB, 44, 1, IAC, 0x41})).error.isEmpty());
    // After an error the decoder starts over on plain data.
    EXPECT_EQ(decoder.feed(bytes({0x41})).data, bytes({0x41}));

    const QByteArray endless = bytes({IAC, SB, 44}) + QByteArray(kMaxSubnegotiation + 1, 'x');
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
    EXPECT_EQ(std::pair(int(rate->command), rate->value), std::pair(int(SetBaudRate), 19200u));
    const auto parity = parseComPortReply(bytes({103, 3}));
    ASSERT_TRUE(parity);
    EXPECT_EQ(std::pair(int(parity->command), parity->value), std::pair(int(SetParity), 3u));
    // Wrong lengths and client-side codes are not answers.
    for (const QByteArray& bad : {QByteArray(), bytes({101, 0, 0, 0x4B}), bytes({103}),
                                  bytes({103, 3, 3}), bytes({3, 3}), bytes({100})})
        EXPECT_FALSE(parseComPortReply(bad)) << bad.toHex().toStdString();
}

struct GoodName {
    const char* text;
    NetworkPortName::Mode mode;
    const char* host;
    quint16 port;
    const char* shown; // text() of the parsed name
};

TEST(NetworkPortNameTest, ParsesHostAndPortOfBothModes) {
    const GoodName cases[] = {
        {"tcp://127.0.0.1:2000", NetworkPortName::Mode::RawTcp, "127.0.0.1", 2000,
         "tcp://127.0.0.1:2000"},
        {"rfc2217://site-7.example.com:4001", NetworkPortName::Mode::Rfc2217, "site-7.example.com",
         4001, "rfc2217://site-7.example.com:4001"},
        {"RFC2217://localhost:65535", NetworkPortName::Mode::Rfc2217, "localhost", 65535,
         "rfc2217://localhost:65535"},
        {"tcp://[::1]:23", NetworkPortName::Mode::RawTcp, "::1", 23, "tcp://[::1]:23"},
    };
    for (const GoodName& c : cases) {
        QString why;
        const auto parsed = ParseNetworkPortName(QString::fromUtf8(c.text), &why);
        ASSERT_TRUE(parsed) << c.text << ": " << why.toStdString();
        EXPECT_EQ(std::tuple(parsed->mode, parsed->host, parsed->port, parsed->text()),
                  std::tuple(c.mode, QString::fromUtf8(c.host), c.port, QString::fromUtf8(c.shown)))
            << c.text;
        EXPECT_TRUE(IsNetworkPortName(QString::fromUtf8(c.text)));
    }
}

TEST(NetworkPortNameTest, RefusesMalformedNamesWithTheReason) {
    const std::pair<const char*, const char*> cases[] = {
        {"tcp://host", "the port number is missing"},
        {"tcp://host:", "the port number must be 1 to 65535"},
        {"tcp://host:0", "the port number must be 1 to 65535"},
        {"tcp://host:65536", "the port number must be 1 to 65535"},
        {"tcp://host:+80", "the port number must be 1 to 65535"},
        {"tcp://host: 80", "the port number must be 1 to 65535"},
        {"tcp://host:80/x", "the port number must be 1 to 65535"},
        {"tcp://:2000", "the host name is not valid"},
        {"tcp://user@host:2000", "the host name is not valid"},
        {"rfc2217://ho st:2000", "the host name is not valid"},
        {"tcp://[::1:2000", "the port number is missing"},
        {"tcp://[nohost]:2000", "the host name is not valid"},
        {"/dev/ttyUSB0", "not a network port"},
    };
    for (const auto& [text, reason] : cases) {
        QString why;
        EXPECT_FALSE(ParseNetworkPortName(QString::fromUtf8(text), &why)) << text;
        EXPECT_TRUE(why.startsWith(QString::fromUtf8(text) + u": "_qs)) << why.toStdString();
        EXPECT_TRUE(why.contains(QString::fromUtf8(reason))) << text << " -> " << why.toStdString();
    }
    EXPECT_FALSE(IsNetworkPortName(u"COM3"_qs) || IsNetworkPortName(u"/dev/pts/7"_qs));
}

static Event verb(std::uint8_t v, std::uint8_t option) {
    return {Event::Kind::Negotiation, v, option, {}};
}

static Event answer(std::uint8_t command, const QByteArray& value) {
    return {Event::Kind::Subnegotiation, 0, OptionComPort,
            QByteArray(1, static_cast<char>(command + kServerReplyOffset)) + value};
}

static QByteArray rate(quint32 value) {
    return setBaudRate(value).mid(4, 4);
}

class Rfc2217NegotiationTest : public ::testing::Test {
protected:
    Rfc2217NegotiationTest() {
        line.baudRate = 19200;
        line.evenParity = false;
    }
    void confirm(Rfc2217Negotiation& n, quint32 bitRate, int dataSize, int parity) {
        n.take(answer(SetBaudRate, rate(bitRate)));
        n.take(answer(SetDataSize, bytes({dataSize})));
        n.take(answer(SetParity, bytes({parity})));
        n.take(answer(SetStopSize, bytes({1})));
    }
    PortLineSettings line;
};

TEST_F(Rfc2217NegotiationTest, OffersThenSetsTheLineOnceTheServerAcceptsComPort) {
    Rfc2217Negotiation n(line);
    EXPECT_EQ(n.start(), negotiation(WILL, 0) + negotiation(WILL, 3) + negotiation(WILL, 44) +
                             negotiation(DO, 0) + negotiation(DO, 3));
    // Confirmations of our own offers get no answer (no negotiation loop).
    EXPECT_TRUE(n.take(verb(DO, OptionBinary)).isEmpty());
    EXPECT_TRUE(n.take(verb(WILL, OptionBinary)).isEmpty());
    EXPECT_EQ(n.stage(), Rfc2217Negotiation::Stage::Offering);
    EXPECT_EQ(n.take(verb(DO, OptionComPort)),
              setBaudRate(19200) + comPortCommand(SetDataSize, bytes({8})) +
                  comPortCommand(SetParity, bytes({ParityNone})) +
                  comPortCommand(SetStopSize, bytes({1})) + comPortCommand(SetControl, bytes({1})));
    EXPECT_EQ(n.stage(), Rfc2217Negotiation::Stage::Setting);
    EXPECT_TRUE(n.awaiting().contains(u"bit rate, data size, parity, stop size"_qs));
    confirm(n, 19200, 8, ParityNone);
    EXPECT_EQ(n.stage(), Rfc2217Negotiation::Stage::Ready);
    EXPECT_TRUE(n.warning().isEmpty() && n.ownBinary() && n.peerBinary());
}

TEST_F(Rfc2217NegotiationTest, RefusesEchoAndUnknownOptionsOnce) {
    Rfc2217Negotiation n(line);
    n.start();
    EXPECT_EQ(n.take(verb(WILL, OptionEcho)), negotiation(DONT, OptionEcho));
    EXPECT_TRUE(n.take(verb(WONT, OptionEcho)).isEmpty());
    EXPECT_EQ(n.take(verb(DO, 24)), negotiation(WONT, 24)); // terminal type
    EXPECT_TRUE(n.take(verb(DONT, 24)).isEmpty());
    // An option turned on and later off by the server is confirmed off.
    EXPECT_TRUE(n.take(verb(WILL, OptionSuppressGoAhead)).isEmpty());
    EXPECT_EQ(n.take(verb(WONT, OptionSuppressGoAhead)), negotiation(DONT, OptionSuppressGoAhead));
}

TEST_F(Rfc2217NegotiationTest, ServerWithoutComPortFails) {
    Rfc2217Negotiation n(line);
    n.start();
    n.take(verb(DONT, OptionComPort));
    EXPECT_EQ(n.stage(), Rfc2217Negotiation::Stage::Failed);
    EXPECT_TRUE(n.failure().contains(u"use tcp://"_qs)) << n.failure().toStdString();
}

TEST_F(Rfc2217NegotiationTest, ConfirmedSettingsAreChecked) {
    struct Case {
        quint32 rate;
        int dataSize;
        int parity;
        Rfc2217Negotiation::Stage stage;
        const char* text; // in the failure or the warning
    };
    const Case cases[] = {
        {9600, 8, ParityNone, Rfc2217Negotiation::Stage::Failed, "9600 bit/s instead of 19200"},
        {19200, 7, ParityNone, Rfc2217Negotiation::Stage::Failed, "7 data bits instead of 8"},
        {19200, 8, ParityEven, Rfc2217Negotiation::Stage::Ready, "parity even instead of none"},
    };
    for (const Case& c : cases) {
        Rfc2217Negotiation n(line);
        n.start();
        n.take(verb(DO, OptionComPort)); // COM-PORT-CONTROL accepted
        confirm(n, c.rate, c.dataSize, c.parity);
        EXPECT_EQ(n.stage(), c.stage) << c.text;
        const QString said =
            n.stage() == Rfc2217Negotiation::Stage::Failed ? n.failure() : n.warning();
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.text))) << said.toStdString();
    }
}

TEST_F(Rfc2217NegotiationTest, AnswersBeforeTheSettingsAndMalformedOnesAreIgnored) {
    Rfc2217Negotiation n(line);
    n.start();
    n.take(answer(SetBaudRate, rate(19200))); // not asked yet
    n.take(verb(DO, OptionComPort));
    n.take(answer(SetBaudRate, bytes({1}))); // value of the wrong length
    n.take(answer(PurgeData, bytes({1})));   // an answer zel does not wait for
    n.take({Event::Kind::Subnegotiation, 0, OptionComPort, {}});
    n.take(answer(SetDataSize, bytes({8})));
    n.take(answer(SetParity, bytes({ParityNone})));
    n.take(answer(SetStopSize, bytes({1})));
    EXPECT_EQ(n.stage(), Rfc2217Negotiation::Stage::Setting);
    EXPECT_TRUE(n.awaiting().contains(u"(bit rate)"_qs)) << n.awaiting().toStdString();
    n.take(answer(SetBaudRate, rate(19200)));
    EXPECT_EQ(n.stage(), Rfc2217Negotiation::Stage::Ready);
}
