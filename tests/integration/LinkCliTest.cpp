// zelctl frame and zelctl send as separate processes on the pty of an in-process simulator.
#include "SimConfig.h"
#include "SimulatedController.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zel::sim;

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

class LinkCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_program = QCoreApplication::applicationDirPath() + QStringLiteral("/../src/zelctl");
        if (!QFile::exists(m_program))
            GTEST_SKIP() << "zelctl is not built";
    }

    void startSimulator(const SimConfig& config = {}) {
        m_sim = std::make_unique<SimulatedController>(config);
        ASSERT_TRUE(m_sim->start(nullptr));
    }

    // Runs zelctl while this thread's event loop keeps the simulator answering.
    CliRun run(const QStringList& args, const QString& port = {}) {
        QStringList all{QStringLiteral("--folder"), m_dir.path()};
        if (!port.isEmpty())
            all << QStringLiteral("--port") << port;
        else if (m_sim)
            all << QStringLiteral("--port") << m_sim->slavePath();
        all << args;
        QProcess process;
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, [&loop] { loop.quit(); });
        QTimer::singleShot(20000, &loop, [&loop] { loop.quit(); });
        process.start(m_program, all);
        loop.exec();
        CliRun result;
        result.exitCode = process.state() == QProcess::NotRunning ? process.exitCode() : -2;
        result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        result.err = QString::fromLocal8Bit(process.readAllStandardError());
        process.kill();
        process.waitForFinished();
        return result;
    }

    static QStringList words(const char* text) {
        return QString::fromLatin1(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }

    QTemporaryDir m_dir;
    std::unique_ptr<SimulatedController> m_sim;
    QString m_program;
};

FaultRule rule(FaultKind kind, int command) {
    FaultRule r;
    r.kind = kind;
    r.command = command;
    return r;
}

} // namespace

TEST_F(LinkCliTest, FramePrintsTheHexText) {
    CliRun a = run(words("frame 1 1 20"));
    EXPECT_EQ(a.exitCode, 0);
    EXPECT_EQ(a.out, QStringLiteral("FE080010012038FFFF\n"));
    EXPECT_EQ(run(words("frame --request 123 5 2a0103")).out,
              QStringLiteral("FE0A1231052A010305FFFF\n"));
    EXPECT_EQ(run(words("frame 255 99")).out, QStringLiteral("FE07255099EAFFFF\n"));
    for (const char* bad : {"frame 1 1 2", "frame 1 1 XY", "frame 256 1", "frame 1 0", "frame x 1",
                            "frame 1", "frame --bogus 1 1"}) {
        CliRun r = run(words(bad));
        EXPECT_EQ(r.exitCode, 2) << bad;
        EXPECT_TRUE(r.out.isEmpty()) << bad;
    }
}

TEST_F(LinkCliTest, SendShowsTheReplyAsTheTestScreenDoes) {
    SimConfig config;
    config.faults.add(rule(FaultKind::Nack, 0x30));
    config.faults.add(rule(FaultKind::Busy, 0x40));
    startSimulator(config);
    CliRun ack = run(words("send --camera 1 --remote 1 200000000000"));
    EXPECT_EQ(ack.exitCode, 0) << ack.err.toStdString();
    EXPECT_EQ(ack.out, QStringLiteral("ACK\n"));
    EXPECT_EQ(run(words("send --camera 1 --remote 1 3001")).out, QStringLiteral("NACK\n"));
    EXPECT_EQ(run(words("send --camera 1 --remote 1 40")).out, QStringLiteral("BUSY\n"));

    CliRun data = run(words("send --read --camera 1 --remote 1 C10001"));
    EXPECT_EQ(data.exitCode, 0);
    EXPECT_TRUE(data.out.startsWith(QStringLiteral("FD2A"))) << data.out.toStdString();
    EXPECT_EQ(data.out.trimmed().size(), 86);

    CliRun raw = run(words("send --raw FE0A001101C10001DBFFFF"));
    EXPECT_EQ(raw.exitCode, 0);
    EXPECT_TRUE(raw.out.startsWith(QStringLiteral("FD2A"))) << raw.out.toStdString();

    CliRun zero = run(words("send --camera 0 --remote 1 200000000000"));
    EXPECT_EQ(zero.exitCode, 0);
    EXPECT_TRUE(zero.out.isEmpty());
}

TEST_F(LinkCliTest, SendFailures) {
    SimConfig config;
    config.faults.add(rule(FaultKind::Drop, 0x20));
    startSimulator(config);
    CliRun silent = run(words("send --camera 1 --remote 1 200000000000"));
    EXPECT_EQ(silent.exitCode, 1);
    EXPECT_TRUE(silent.out.isEmpty());
    EXPECT_TRUE(silent.err.contains(QStringLiteral("Timeout error"))) << silent.err.toStdString();

    CliRun range = run(words("send --camera 1 --remote 100 20"));
    EXPECT_EQ(range.exitCode, 1);
    EXPECT_TRUE(range.err.contains(QStringLiteral("1 to 99"))) << range.err.toStdString();

    EXPECT_EQ(run(words("send --camera 1 20")).exitCode, 2);
    EXPECT_EQ(run(words("send --camera 1 --remote 1 123")).exitCode, 2);
    EXPECT_EQ(run(words("send --camera x --remote 1 20")).exitCode, 2);

    CliRun noPort = run(words("send --camera 1 --remote 1 20"), QStringLiteral("/dev/zel-missing"));
    EXPECT_EQ(noPort.exitCode, 1);
    EXPECT_TRUE(noPort.err.contains(QStringLiteral("COM port open error")));
    EXPECT_TRUE(noPort.err.contains(QStringLiteral("/dev/zel-missing")));
}
