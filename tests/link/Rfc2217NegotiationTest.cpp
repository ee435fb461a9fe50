#include "link/Rfc2217Negotiation.h"

#include <gtest/gtest.h>

using namespace zel;
using namespace zel::telnet;

namespace {

Event verb(std::uint8_t v, std::uint8_t option) {
    return {Event::Kind::Negotiation, v, option, {}};
}

Event answer(std::uint8_t command, const QByteArray& value) {
    return {Event::Kind::Subnegotiation, 0, OptionComPort,
            QByteArray(1, static_cast<char>(command + kServerReplyOffset)) + value};
}

QByteArray one(int value) {
    return QByteArray(1, static_cast<char>(value));
}

QByteArray rate(quint32 value) {
    return setBaudRate(value).mid(4, 4);
}

class Rfc2217NegotiationTest : public ::testing::Test {
protected:
    Rfc2217NegotiationTest() {
        line.baudRate = 19200;
        line.evenParity = false;
    }
    // Offers made, COM-PORT-CONTROL accepted: returns what was sent in reply.
    QByteArray acceptComPort(Rfc2217Negotiation& n) {
        n.start();
        return n.take(verb(DO, OptionComPort));
    }
    void confirm(Rfc2217Negotiation& n, quint32 bitRate, int dataSize, int parity) {
        n.take(answer(SetBaudRate, rate(bitRate)));
        n.take(answer(SetDataSize, one(dataSize)));
        n.take(answer(SetParity, one(parity)));
        n.take(answer(SetStopSize, one(1)));
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
              setBaudRate(19200) + comPortCommand(SetDataSize, one(8)) +
                  comPortCommand(SetParity, one(ParityNone)) + comPortCommand(SetStopSize, one(1)) +
                  comPortCommand(SetControl, one(1)));
    EXPECT_EQ(n.stage(), Rfc2217Negotiation::Stage::Setting);
    EXPECT_TRUE(n.awaiting().contains(u"bit rate, data size, parity, stop size"_qs));
    confirm(n, 19200, 8, ParityNone);
    EXPECT_EQ(n.stage(), Rfc2217Negotiation::Stage::Ready);
    EXPECT_TRUE(n.warning().isEmpty());
    EXPECT_TRUE(n.ownBinary());
    EXPECT_TRUE(n.peerBinary());
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
        acceptComPort(n);
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
    n.take(answer(SetBaudRate, one(1))); // value of the wrong length
    n.take(answer(PurgeData, one(1)));   // an answer zel does not wait for
    n.take({Event::Kind::Subnegotiation, 0, OptionComPort, {}});
    n.take(answer(SetDataSize, one(8)));
    n.take(answer(SetParity, one(ParityNone)));
    n.take(answer(SetStopSize, one(1)));
    EXPECT_EQ(n.stage(), Rfc2217Negotiation::Stage::Setting);
    EXPECT_TRUE(n.awaiting().contains(u"(bit rate)"_qs)) << n.awaiting().toStdString();
    n.take(answer(SetBaudRate, rate(19200)));
    EXPECT_EQ(n.stage(), Rfc2217Negotiation::Stage::Ready);
}

} // namespace
