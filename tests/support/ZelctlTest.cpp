#include "ZelctlTest.h"

#include <QFile>

namespace zel::test {

namespace {
// Only a program that hangs meets this: a whole flash write takes half a minute on a quiet
// machine and can take twice that beside a full load.
constexpr int kRunTimeoutMs = 240000;
} // namespace

void ZelctlTest::SetUp() {
    program = BuiltProgram(QStringLiteral("zelctl"));
    if (!QFile::exists(program))
        GTEST_SKIP() << "zelctl is not built";
}

void ZelctlTest::startSimulator(const sim::SimConfig& config) {
    simulator = std::make_unique<sim::SimulatedController>(config);
    ASSERT_TRUE(simulator->start(nullptr));
}

ProgramRun ZelctlTest::run(const QStringList& args, const QString& port) {
    QStringList all{QStringLiteral("--folder"), dir.path()};
    if (!port.isEmpty())
        all << QStringLiteral("--port") << port;
    else if (simulator)
        all << QStringLiteral("--port") << simulator->slavePath();
    return RunProgram(program, all + args, kRunTimeoutMs);
}

} // namespace zel::test
