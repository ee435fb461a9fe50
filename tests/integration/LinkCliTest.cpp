// zelctl frame and zelctl send as separate processes on the pty of an in-process simulator.
#include "FaultRules.h"
#include "ZelctlTest.h"

using namespace zel::sim;
using namespace zel::test;

class LinkCliTest : public ZelctlTest {};

TEST_F(LinkCliTest, FramePrintsTheHexText) {
    expectRuns({
        {"frame 1 1 20", 0, "", "FE080010012038FFFF\n"},
        {"frame --request 123 5 2a0103", 0, "", "FE0A1231052A010305FFFF\n"},
        {"frame 255 99", 0, "", "FE07255099EAFFFF\n"},
        {"frame 1 1 2", 2, "", ""},
        {"frame 1 1 XY", 2, "", ""},
        {"frame 256 1", 2, "", ""},
        {"frame 1 0", 2, "", ""},
        {"frame x 1", 2, "", ""},
        {"frame 1", 2, "", ""},
        {"frame --bogus 1 1", 2, "", ""},
    });
}

TEST_F(LinkCliTest, SendShowsTheReplyAsTheTestScreenDoes) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Nack, 0x30));
    config.faults.add(faultRule(FaultKind::Busy, 0x40));
    startSimulator(config);
    expectRuns({
        {"send --camera 1 --remote 1 200000000000", 0, "", "ACK\n"},
        {"send --camera 1 --remote 1 3001", 0, "", "NACK\n"},
        {"send --camera 1 --remote 1 40", 0, "", "BUSY\n"},
        {"send --camera 0 --remote 1 200000000000", 0, "", ""},
    });
    for (const char* args :
         {"send --read --camera 1 --remote 1 C10001", "send --raw FE0A001101C10001DBFFFF"}) {
        const ProgramRun data = run(Words(args));
        EXPECT_TRUE(Ended(data, 0)) << args;
        EXPECT_TRUE(StartsWith(data.out, "FD2A"));
        EXPECT_EQ(data.out.trimmed().size(), 86) << args;
    }
}

TEST_F(LinkCliTest, SendFailures) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Drop, 0x20));
    startSimulator(config);
    expectRuns({
        {"send --camera 1 --remote 1 200000000000", 1, "Timeout error (camera 1, command 20)", ""},
        {"send --camera 1 --remote 100 20", 2, "--remote must be a number from 1 to 99"},
        {"send --camera 300 --remote 1 20", 2, "--camera must be a number from 0 to 255"},
        {"send --camera 1 20", 2},
        {"send --camera 1 --remote 1 123", 2},
        {"send --camera x --remote 1 20", 2},
    });
    ProgramRun noPort = run(Words("send --camera 1 --remote 1 20"), u"/dev/zel-missing"_qs);
    EXPECT_TRUE(Ended(noPort, 1, "COM port open error"));
    EXPECT_TRUE(Holds(noPort.err, "/dev/zel-missing"));
}
