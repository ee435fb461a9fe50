#include "link/NetworkPortName.h"

#include <gtest/gtest.h>

using namespace zel;

namespace {

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
        EXPECT_EQ(parsed->mode, c.mode) << c.text;
        EXPECT_EQ(parsed->host, QString::fromUtf8(c.host)) << c.text;
        EXPECT_EQ(parsed->port, c.port) << c.text;
        EXPECT_EQ(parsed->text(), QString::fromUtf8(c.shown)) << c.text;
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
    EXPECT_FALSE(IsNetworkPortName(u"COM3"_qs));
    EXPECT_FALSE(IsNetworkPortName(u"/dev/pts/7"_qs));
}

} // namespace
