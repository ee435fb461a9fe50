#include "ZelctlTest.h"

#include "EventLoopWait.h"
#include "ProcessSignal.h"

#include <QFile>

namespace zel::test {

namespace {
// Only a program that hangs meets this: a whole flash write takes half a minute on a quiet
// machine and can take twice that beside a full load.
constexpr int kRunTimeoutMs = 240000;
// How long a live run may take to reach a state or to end after a signal.
constexpr int kLiveWaitMs = 30000;
} // namespace

void ZelctlTest::SetUp() {
    program = BuiltProgram(QStringLiteral("zelctl"));
    if (!QFile::exists(program))
        GTEST_SKIP() << "zelctl is not built";
    prepare();
}

void ZelctlTest::TearDown() {
    if (live.state() != QProcess::NotRunning) {
        live.kill();
        live.waitForFinished();
    }
}

void ZelctlTest::startSimulator(const sim::SimConfig& config) {
    simulator = std::make_unique<sim::SimulatedController>(config);
    ASSERT_TRUE(simulator->start(nullptr));
}

QStringList ZelctlTest::globalOptions(const QString& port) const {
    QStringList all{QStringLiteral("--folder"), dir.path()};
    if (!port.isEmpty())
        all << QStringLiteral("--port") << port;
    else if (simulator)
        all << QStringLiteral("--port") << simulator->slavePath();
    return all;
}

ProgramRun ZelctlTest::run(const QStringList& args, const QString& port) {
    return RunProgram(program, globalOptions(port) + args, kRunTimeoutMs);
}

ProgramRun ZelctlTest::runWithInput(const QStringList& args, const ProgramInput& input) {
    return RunProgramWithInput(program, globalOptions({}) + args, kRunTimeoutMs, input);
}

void ZelctlTest::expectRuns(const std::vector<CliCase>& cases, const QStringList& before,
                            const QString& port) {
    for (const CliCase& c : cases) {
        SCOPED_TRACE(c.args);
        EXPECT_TRUE(Ended(run(before + cmd(c.args), port), c.exitCode, c.err, c.out));
    }
}

QStringList ZelctlTest::cmd(const char* text) const {
    QStringList words = QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString& word : words) {
        if (word == QLatin1String("@"))
            word = dir.path();
        else if (word.startsWith(QLatin1Char('@')))
            word = dir.filePath(word.mid(1));
    }
    return words;
}

void ZelctlTest::startLive(const QStringList& args, const QString& port) {
    live.start(program, globalOptions(port) + args);
    ASSERT_TRUE(live.waitForStarted());
}

int ZelctlTest::signalLiveWhen(const std::function<bool()>& ready, int signalNumber) {
    EXPECT_TRUE(waitUntil(ready, kLiveWaitMs));
    if (!SignalIfRunning(live, signalNumber)) {
        ADD_FAILURE() << "zelctl ended before the signal";
        return -1;
    }
    return liveExit();
}

int ZelctlTest::liveExit() {
    if (!waitUntil([this] { return live.state() == QProcess::NotRunning; }, kLiveWaitMs))
        return -1;
    return live.exitStatus() == QProcess::NormalExit ? live.exitCode() : -1;
}

} // namespace zel::test
