// The zelsim command line.
#include "SimCommandLine.h"

#include <gtest/gtest.h>

using namespace zel::sim;

namespace {

SimCommandLine::Outcome parse(SimCommandLine& line, const char* text) {
    QStringList arguments{u"zelsim"_qs};
    arguments += QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
    return line.parse(arguments);
}

TEST(SimCommandLine, ReadsEveryOption) {
    SimCommandLine line;
    ASSERT_EQ(parse(line, "--cameras 3 --rate=38400 --seed 99 --verbose --busy C1:7x3 "
                          "--busy-probability 0.1 --nack 20 --bad-checksum B1:4 --bad-length 15 "
                          "--drop C1 --fragment 8:20 --garbage 2@C1"),
              SimCommandLine::Outcome::Run)
        << line.error().toStdString();
    const SimOptions& options = line.options();
    EXPECT_EQ(options.config.cameraCount, 3);
    EXPECT_EQ(options.config.bitRate, 38400);
    EXPECT_EQ(options.config.seed, 99u);
    EXPECT_TRUE(options.seedGiven);
    EXPECT_TRUE(options.verbose);
    EXPECT_TRUE(options.device.isEmpty());
    ASSERT_EQ(options.config.faults.rules().size(), 8);
    EXPECT_EQ(options.config.faults.rules()[2].kind, FaultKind::Nack);
    EXPECT_EQ(options.config.faults.rules()[5].kind, FaultKind::Drop);

    ASSERT_EQ(parse(line, "--device /dev/ttyUSB0"), SimCommandLine::Outcome::Run);
    EXPECT_EQ(line.options().device, u"/dev/ttyUSB0"_qs);
    EXPECT_EQ(line.options().deviceRate, 38400);
    EXPECT_EQ(line.options().config.bitRate, 0) << "pty unpaced by default";
    EXPECT_FALSE(line.options().seedGiven);
    EXPECT_EQ(parse(line, "--verbose --help"), SimCommandLine::Outcome::Help);
}

TEST(SimCommandLine, RefusesBadUsageWithAReason) {
    const char* bad[] = {"--cameras 256", "--cameras", "--rate 0",   "--seed -1",
                         "--busy QQ",     "--frob",    "extra",      "--fragment 8",
                         "--garbage x",   "--device=", "--rate fast"};
    for (const char* text : bad) {
        SimCommandLine line;
        EXPECT_EQ(parse(line, text), SimCommandLine::Outcome::Error) << text;
        EXPECT_FALSE(line.error().isEmpty()) << text;
    }
}

TEST(SimCommandLine, BootCpuOptions) {
    SimCommandLine line;
    ASSERT_EQ(parse(line, "--boot-cpu --rate 19200 --busy-block 7x3 --write-error 9 "
                          "--bad-reply-checksum=4 --silent-after 2047 --erase-error --no-cpu "
                          "--save-image /tmp/f.bin"),
              SimCommandLine::Outcome::Run)
        << line.error().toStdString();
    const SimOptions& options = line.options();
    EXPECT_TRUE(options.bootCpu);
    EXPECT_EQ(options.config.bitRate, 19200);
    EXPECT_EQ(options.bootFaults.busyBlock, 7);
    EXPECT_EQ(options.bootFaults.busyCount, 3);
    EXPECT_EQ(options.bootFaults.writeErrorBlock, 9);
    EXPECT_EQ(options.bootFaults.badChecksumBlock, 4);
    EXPECT_EQ(options.bootFaults.silentAfterBlock, 2047);
    EXPECT_TRUE(options.bootFaults.eraseError && options.bootFaults.noCpu);
    EXPECT_EQ(options.saveImage, u"/tmp/f.bin"_qs);
    ASSERT_EQ(parse(line, "--boot-cpu --device /dev/ttyS0"), SimCommandLine::Outcome::Run);
    EXPECT_EQ(line.options().deviceRate, 19200);

    // Out of range, without --boot-cpu, or mixed with the controller's faults.
    for (const char* text : {"--boot-cpu --write-error 2048", "--boot-cpu --busy-block 3x0",
                             "--boot-cpu --silent-after 5x2", "--erase-error", "--save-image f.bin",
                             "--boot-cpu --nack 20", "--boot-cpu --save-image="}) {
        EXPECT_EQ(parse(line, text), SimCommandLine::Outcome::Error) << text;
        EXPECT_FALSE(line.error().isEmpty()) << text;
    }
}

} // namespace
