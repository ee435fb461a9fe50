#include "common/HexText.h"
#include "common/KeyFilter.h"

#include <gtest/gtest.h>

using namespace zel;

TEST(HexText, RoundTripAndCase) {
    const QByteArray bytes("\x00\x0f\xfe\x7a", 4);
    EXPECT_EQ(BytesToHexText(bytes), QStringLiteral("000FFE7A"));
    EXPECT_EQ(HexTextToBytes(QStringLiteral("000ffe7A")).value(), bytes);
    EXPECT_EQ(HexTextToBytes(QString()).value(), QByteArray());
}

TEST(HexText, RefusesOddLengthAndGarbage) {
    EXPECT_FALSE(HexTextToBytes(QStringLiteral("ABC")).has_value());
    EXPECT_FALSE(HexTextToBytes(QStringLiteral("0G")).has_value());
    EXPECT_EQ(HexByteAt(QStringLiteral("FD2"), 2), -1);
    EXPECT_EQ(HexByteAt(QStringLiteral("FD"), -1), -1);
    EXPECT_EQ(HexByteAt(QStringLiteral("xFD"), 1), 0xFD);
}

TEST(KeyFilter, ModesDecideHexAndPoint) {
    EXPECT_EQ(FilterKeyAscii('b', KeyFilterMode::Hexadecimal), 'B');
    EXPECT_EQ(FilterKeyAscii('b', KeyFilterMode::Decimal), 0);
    EXPECT_EQ(FilterKeyAscii('B', KeyFilterMode::DecimalWithPoint), 0);
    EXPECT_EQ(FilterKeyAscii('.', KeyFilterMode::DecimalWithPoint), '.');
    EXPECT_EQ(FilterKeyAscii('.', KeyFilterMode::Hexadecimal), 0);
    EXPECT_EQ(FilterKeyAscii('7', KeyFilterMode::Decimal), '7');
    for (int passthrough : {8, 9, 10})
        EXPECT_EQ(FilterKeyAscii(passthrough, KeyFilterMode::Decimal), passthrough);
    EXPECT_EQ(FilterKeyAscii('g', KeyFilterMode::Hexadecimal), 0);
    EXPECT_EQ(FilterKeyAscii(' ', KeyFilterMode::Hexadecimal), 0);
}
