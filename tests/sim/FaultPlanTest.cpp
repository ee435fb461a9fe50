// Fault injection: every kind, selected by command and block, counted and seeded.
#include "FaultPlan.h"
#include "CameraControllerSim.h"
#include "SimFrames.h"

#include <gtest/gtest.h>

using namespace zel::sim;
using namespace zel::test;

namespace {

QByteArray readBlock(int block) {
    return commandFrame(1, 1, 1, hex("C1") + char(block >> 8) + char(block & 0xFF));
}

QByteArray joined(const QList<SimOutput>& pieces) {
    QByteArray out;
    for (const SimOutput& piece : pieces)
        out += piece.bytes;
    return out;
}

TEST(FaultPlan, ParsesTargetsAndRefusesNonsense) {
    FaultPlan plan;
    QString error;
    ASSERT_TRUE(plan.addTarget(FaultKind::Busy, u"C1:7x3"_qs, &error));
    ASSERT_TRUE(plan.addTarget(FaultKind::Drop, u"*"_qs, &error));
    ASSERT_TRUE(plan.addTarget(FaultKind::Nack, u"b1:12"_qs, &error));
    ASSERT_TRUE(plan.addBusyProbability(u"0.25@20"_qs, &error));
    ASSERT_TRUE(plan.addFragment(u"4:30@C1"_qs, &error));
    ASSERT_TRUE(plan.addGarbage(u"5"_qs, &error));
    const QList<FaultRule>& rules = plan.rules();
    ASSERT_EQ(rules.size(), 6);
    EXPECT_EQ(rules[0].command, 0xC1);
    EXPECT_EQ(rules[0].number, 7);
    EXPECT_EQ(rules[0].remaining, 3);
    EXPECT_EQ(rules[1].command, -1);
    EXPECT_EQ(rules[1].remaining, -1);
    EXPECT_EQ(rules[2].command, 0xB1);
    EXPECT_DOUBLE_EQ(rules[3].probability, 0.25);
    EXPECT_EQ(rules[3].command, 0x20);
    EXPECT_EQ(rules[4].fragmentSize, 4);
    EXPECT_EQ(rules[4].gapMs, 30);
    EXPECT_EQ(rules[5].garbageBytes, 5);

    const char* bad[] = {"", "C1:", "C1:x", "C1x0", "123", "G1", "C1:7:8", "C1:-3", "C1x-1"};
    for (const char* text : bad)
        EXPECT_FALSE(plan.addTarget(FaultKind::Busy, QString::fromLatin1(text), &error)) << text;
    EXPECT_FALSE(plan.addBusyProbability(u"1.5"_qs, &error));
    EXPECT_FALSE(plan.addFragment(u"0:10"_qs, &error));
    EXPECT_FALSE(plan.addFragment(u"4"_qs, &error));
    EXPECT_FALSE(plan.addGarbage(u"0"_qs, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(plan.rules().size(), 6);
}

TEST(FaultPlan, BusyOnOneBlockSpendsItsCountThenAnswers) {
    CameraControllerSim sim;
    sim.faultPlan().addTarget(FaultKind::Busy, u"C1:7x3"_qs, nullptr);
    EXPECT_EQ(joined(sim.receive(readBlock(6))).size(), 43) << "other blocks unaffected";
    for (int attempt = 0; attempt < 3; ++attempt)
        EXPECT_EQ(joined(sim.receive(readBlock(7))), hex("00")) << attempt;
    EXPECT_EQ(joined(sim.receive(readBlock(7))).size(), 43);
}

TEST(FaultPlan, RefusedWritesAreNotCarriedOut) {
    CameraControllerSim sim;
    sim.faultPlan().addTarget(FaultKind::Busy, u"C1:1x1"_qs, nullptr);
    sim.faultPlan().addTarget(FaultKind::Nack, u"C1:2"_qs, nullptr);
    const QByteArray before = sim.camera(1).settings();
    const QByteArray block(32, char(0x5A));
    EXPECT_EQ(joined(sim.receive(commandFrame(1, 0, 1, hex("C10001") + block))), hex("00"));
    EXPECT_EQ(joined(sim.receive(commandFrame(1, 0, 1, hex("C10002") + block))), hex("15"));
    EXPECT_EQ(sim.camera(1).settings(), before);
}

TEST(FaultPlan, DroppedReplyIsSilentButTheCommandIsCarriedOut) {
    CameraControllerSim sim;
    sim.faultPlan().addTarget(FaultKind::Drop, u"B1:5x1"_qs, nullptr);
    const QByteArray codes = CameraUnit::encodeTitle("HALL");
    EXPECT_TRUE(sim.receive(commandFrame(1, 0, 1, hex("B1030050") + codes)).isEmpty());
    EXPECT_EQ(sim.camera(1).titleCodes(0x03, 5), codes);
    EXPECT_EQ(joined(sim.receive(commandFrame(1, 0, 1, hex("B1030050") + codes))), hex("06"));
}

TEST(FaultPlan, CorruptsChecksumOrLengthOfDataRepliesOnly) {
    CameraControllerSim sim;
    sim.faultPlan().addTarget(FaultKind::BadChecksum, u"C1:3"_qs, nullptr);
    sim.faultPlan().addTarget(FaultKind::BadLength, u"15"_qs, nullptr);
    const QByteArray good = joined(sim.receive(readBlock(2)));
    EXPECT_TRUE(isGoodDataReply(good));

    const QByteArray badSum = joined(sim.receive(readBlock(3)));
    ASSERT_EQ(badSum.size(), 43);
    EXPECT_EQ(uchar(badSum.at(1)), 42);
    EXPECT_NE(badSum.at(40), checksumOf(badSum.left(40)));
    EXPECT_EQ(badSum.mid(8, 32), sim.camera(1).block(3)) << "payload intact";

    const QByteArray badLength = joined(sim.receive(commandFrame(1, 1, 1, hex("15"))));
    ASSERT_EQ(badLength.size(), 17);
    EXPECT_EQ(uchar(badLength.at(1)), 15);

    sim.faultPlan().addTarget(FaultKind::BadChecksum, u"*"_qs, nullptr);
    EXPECT_EQ(joined(sim.receive(commandFrame(1, 0, 1, hex("40")))), hex("06"));
}

TEST(FaultPlan, FragmentsAndGarbageShapeTheOutput) {
    CameraControllerSim sim(8, 42);
    sim.faultPlan().addFragment(u"10:25@C1"_qs, nullptr);
    sim.faultPlan().addGarbage(u"3@C1:9"_qs, nullptr);
    QList<SimOutput> pieces = sim.receive(readBlock(8));
    ASSERT_EQ(pieces.size(), 5); // 43 bytes in pieces of 10
    EXPECT_EQ(pieces[0].gapBeforeMs, 0);
    EXPECT_EQ(pieces[1].gapBeforeMs, 25);
    EXPECT_EQ(pieces[4].bytes.size(), 3);
    EXPECT_TRUE(isGoodDataReply(joined(pieces)));

    pieces = sim.receive(readBlock(9));
    ASSERT_EQ(pieces.size(), 6);
    EXPECT_EQ(pieces[0].bytes.size(), 3) << "garbage first";
    EXPECT_EQ(pieces[1].gapBeforeMs, 0);
    EXPECT_TRUE(isGoodDataReply(joined(pieces).mid(3)));
    EXPECT_EQ(sim.receive(commandFrame(1, 0, 1, hex("40"))).size(), 1) << "other commands whole";
}

TEST(FaultPlan, ProbabilityIsReproducibleFromTheSeed) {
    auto busyPattern = [](quint32 seed) {
        CameraControllerSim sim(8, seed);
        sim.faultPlan().addBusyProbability(u"0.5"_qs, nullptr);
        QString pattern;
        for (int i = 0; i < 64; ++i)
            pattern +=
                joined(sim.receive(commandFrame(1, 0, 1, hex("40")))) == hex("00") ? u'B' : u'.';
        return pattern;
    };
    const QString first = busyPattern(1234);
    EXPECT_EQ(first, busyPattern(1234));
    EXPECT_NE(first, busyPattern(1235));
    EXPECT_GT(first.count(u'B'), 10);
    EXPECT_GT(first.count(u'.'), 10);
}

} // namespace
