// Wire-time schedule of the pacer, on a clock of our own.
#include "WirePacer.h"

#include <gtest/gtest.h>

using namespace zel::sim;

namespace {

constexpr qint64 Ms = 1000000;

TEST(WirePacer, DeadlinesAreAbsoluteSoNothingAccumulates) {
    WirePacer pacer(9600); // 11 bits a byte: 1145833 ns
    ASSERT_EQ(pacer.byteTimeNs(), 1145833);
    pacer.send({{QByteArray(1000, 'x'), 0}}, 0);
    // However unevenly the host wakes up, byte k is due at k byte times.
    qint64 taken = 0;
    for (qint64 now = 7 * Ms; taken < 1000; now += 13 * Ms) {
        const QByteArray due = pacer.takeDueOutput(now);
        taken += due.size();
        EXPECT_EQ(taken, std::min<qint64>(1000, now / pacer.byteTimeNs()));
    }
    EXPECT_TRUE(pacer.isIdle());
}

TEST(WirePacer, EightNoneOneTakesTenBitsAByte) {
    WirePacer pacer(19200);
    pacer.setBitsPerByte(10); // the CPU in boot mode
    EXPECT_EQ(pacer.byteTimeNs(), 520833);
    pacer.setBitRate(9600);
    EXPECT_EQ(pacer.byteTimeNs(), 1041666);
}

TEST(WirePacer, InputIsHandedOnAfterItsWireTimeAndAnswersQueue) {
    WirePacer pacer(38400);
    const qint64 byte = pacer.byteTimeNs();
    pacer.received(QByteArray(11, 'a'), 0);
    EXPECT_TRUE(pacer.takeDueInput(11 * byte - 1).size() == 10);
    EXPECT_EQ(pacer.takeDueInput(11 * byte).size(), 1);
    EXPECT_EQ(pacer.inputDeliveredNs(), 11 * byte);

    // Two answers given at the same instant leave one after the other, with a gap.
    pacer.send({{QByteArray(2, 'r'), 0}}, 11 * byte);
    pacer.send({{QByteArray(1, 's'), 0}, {QByteArray(1, 't'), 5}}, 11 * byte);
    EXPECT_EQ(pacer.nextDeadline(), 12 * byte);
    EXPECT_EQ(pacer.takeDueOutput(14 * byte), QByteArray("rrs"));
    EXPECT_EQ(pacer.nextDeadline(), 15 * byte + 5 * Ms);
}

TEST(WirePacer, UnpacedSendsAtOnceExceptForGaps) {
    WirePacer pacer;
    pacer.received(QByteArray("abc"), 100);
    EXPECT_EQ(pacer.takeDueInput(100), QByteArray("abc"));
    pacer.send({{QByteArray("12"), 0}, {QByteArray("34"), 20}}, 100);
    EXPECT_EQ(pacer.takeDueOutput(100), QByteArray("12"));
    EXPECT_EQ(pacer.takeDueOutput(100 + 20 * Ms - 1), QByteArray());
    EXPECT_EQ(pacer.takeDueOutput(100 + 20 * Ms), QByteArray("34"));
}

} // namespace
