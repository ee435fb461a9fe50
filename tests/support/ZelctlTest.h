#pragma once
// Fixture for zelctl run as a separate process, optionally on the pseudo-terminal of a
// simulated controller in this process.
#include "ProgramRun.h"
#include "SimConfig.h"
#include "SimulatedController.h"
#include "Words.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

namespace zel::test {

class ZelctlTest : public ::testing::Test {
protected:
    void SetUp() override; // skips the test when zelctl is not built

    void startSimulator(const sim::SimConfig& config = {});

    // zelctl --folder <dir> --port <port, else the simulator's slave when one runs> `args`.
    ProgramRun run(const QStringList& args, const QString& port = {});

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    std::unique_ptr<sim::SimulatedController> simulator;
    QString program;
};

} // namespace zel::test
