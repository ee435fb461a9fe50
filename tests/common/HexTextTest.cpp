#include "common/HexText.h"
#include "common/KeyFilter.h"

#include <gtest/gtest.h>

using namespace zel;

TEST(HexText, RoundTripCaseAndGarbage) {
    const QByteArray bytes("\x00\x0f\xfe\x7a", 4);
    EXPECT_EQ(BytesToHexText(bytes), u"000FFE7A"_qs);
    EXPECT_EQ(HexTextToBytes(u"000ffe7A"_qs).value(), bytes);
    EXPECT_EQ(HexTextToBytes(QString()).value(), QByteArray());
    // Odd length and garbage are refused.
    EXPECT_FALSE(HexTextToBytes(u"ABC"_qs) || HexTextToBytes(u"0G"_qs));
    EXPECT_EQ(std::pair(HexByteAt(u"FD2"_qs, 2), HexByteAt(u"FD"_qs, -1)), std::pair(-1, -1));
    EXPECT_EQ(HexByteAt(u"xFD"_qs, 1), 0xFD);
}

TEST(KeyFilter, ModesDecideHexAndPoint) {
    using M = KeyFilterMode;
    // clang-format off
    const std::tuple<int, M, int> cases[] = {
        {'b', M::Hexadecimal, 'B'}, {'b', M::Decimal, 0}, {'B', M::DecimalWithPoint, 0},
        {'.', M::DecimalWithPoint, '.'}, {'.', M::Hexadecimal, 0}, {'7', M::Decimal, '7'},
        {8, M::Decimal, 8}, {9, M::Decimal, 9}, {10, M::Decimal, 10}, // passed through
        {'g', M::Hexadecimal, 0}, {' ', M::Hexadecimal, 0}};
    // clang-format on
    for (const auto& [key, mode, filtered] : cases)
        EXPECT_EQ(FilterKeyAscii(key, mode), filtered) << key << " " << int(mode);
}
