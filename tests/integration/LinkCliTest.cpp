// zelctl frame and zelctl send as separate processes on the pty of an in-process simulator.
#include "FaultRules.h"
#include "ZelctlTest.h"

using namespace zel::sim;
using namespace zel::test;

namespace {

class LinkCliTest : public ZelctlTest {
protected:
    static QStringList words(const char* text) {
        return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
};

} // namespace

TEST_F(LinkCliTest, FramePrintsTheHexText) {
    ProgramRun a = run(words("frame 1 1 20"));
    EXPECT_EQ(a.exitCode, 0);
    EXPECT_EQ(a.out, QStringLiteral("FE080010012038FFFF\n"));
    EXPECT_EQ(run(words("frame --request 123 5 2a0103")).out,
              QStringLiteral("FE0A1231052A010305FFFF\n"));
    EXPECT_EQ(run(words("frame 255 99")).out, QStringLiteral("FE07255099EAFFFF\n"));
    for (const char* bad : {"frame 1 1 2", "frame 1 1 XY", "frame 256 1", "frame 1 0", "frame x 1",
                            "frame 1", "frame --bogus 1 1"}) {
        ProgramRun r = run(words(bad));
        EXPECT_EQ(r.exitCode, 2) << bad;
        EXPECT_TRUE(r.out.isEmpty()) << bad;
    }
}

TEST_F(LinkCliTest, SendShowsTheReplyAsTheTestScreenDoes) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Nack, 0x30));
    config.faults.add(faultRule(FaultKind::Busy, 0x40));
    startSimulator(config);
    ProgramRun ack = run(words("send --camera 1 --remote 1 200000000000"));
    EXPECT_EQ(ack.exitCode, 0) << ack.err.toStdString();
    EXPECT_EQ(ack.out, QStringLiteral("ACK\n"));
    EXPECT_EQ(run(words("send --camera 1 --remote 1 3001")).out, QStringLiteral("NACK\n"));
    EXPECT_EQ(run(words("send --camera 1 --remote 1 40")).out, QStringLiteral("BUSY\n"));

    ProgramRun data = run(words("send --read --camera 1 --remote 1 C10001"));
    EXPECT_EQ(data.exitCode, 0);
    EXPECT_TRUE(data.out.startsWith(QStringLiteral("FD2A"))) << data.out.toStdString();
    EXPECT_EQ(data.out.trimmed().size(), 86);

    ProgramRun raw = run(words("send --raw FE0A001101C10001DBFFFF"));
    EXPECT_EQ(raw.exitCode, 0);
    EXPECT_TRUE(raw.out.startsWith(QStringLiteral("FD2A"))) << raw.out.toStdString();

    ProgramRun zero = run(words("send --camera 0 --remote 1 200000000000"));
    EXPECT_EQ(zero.exitCode, 0);
    EXPECT_TRUE(zero.out.isEmpty());
}

TEST_F(LinkCliTest, SendFailures) {
    SimConfig config;
    config.faults.add(faultRule(FaultKind::Drop, 0x20));
    startSimulator(config);
    ProgramRun silent = run(words("send --camera 1 --remote 1 200000000000"));
    EXPECT_EQ(silent.exitCode, 1);
    EXPECT_TRUE(silent.out.isEmpty());
    EXPECT_TRUE(silent.err.contains(QStringLiteral("Timeout error (camera 1, command 20)")))
        << silent.err.toStdString();

    ProgramRun range = run(words("send --camera 1 --remote 100 20"));
    EXPECT_EQ(range.exitCode, 2);
    EXPECT_TRUE(range.err.contains(QStringLiteral("--remote must be a number from 1 to 99")))
        << range.err.toStdString();
    ProgramRun camera = run(words("send --camera 300 --remote 1 20"));
    EXPECT_EQ(camera.exitCode, 2);
    EXPECT_TRUE(camera.err.contains(QStringLiteral("--camera must be a number from 0 to 255")))
        << camera.err.toStdString();

    EXPECT_EQ(run(words("send --camera 1 20")).exitCode, 2);
    EXPECT_EQ(run(words("send --camera 1 --remote 1 123")).exitCode, 2);
    EXPECT_EQ(run(words("send --camera x --remote 1 20")).exitCode, 2);

    ProgramRun noPort =
        run(words("send --camera 1 --remote 1 20"), QStringLiteral("/dev/zel-missing"));
    EXPECT_EQ(noPort.exitCode, 1);
    EXPECT_TRUE(noPort.err.contains(QStringLiteral("COM port open error")));
    EXPECT_TRUE(noPort.err.contains(QStringLiteral("/dev/zel-missing")));
}
