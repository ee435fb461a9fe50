#pragma once
// Fixture for zelctl run as a separate process, optionally on the pseudo-terminal of a
// simulated controller in this process. It brings what every such test uses: the checks on a
// run's output (TextHolds.h) and the files in its folder (TestFiles.h).
#include "ProgramRun.h"
#include "SimConfig.h"
#include "SimulatedController.h"
#include "TestFiles.h"
#include "TextHolds.h"
#include "Words.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

namespace zel::test {

// One run of zelctl in a table: its arguments as for ZelctlTest::cmd, the exit status, a text
// its stderr must hold ("" for any; a text ending in a line break is the whole of stderr) and,
// when given, its whole stdout.
struct CliCase {
    const char* args;
    int exitCode;
    const char* err = "";
    const char* out = nullptr;
};

class ZelctlTest : public ::testing::Test {
protected:
    void SetUp() override;    // skips the test when zelctl is not built, else runs prepare()
    void TearDown() override; // kills a live run that is still going

    // A fixture's own set-up, once zelctl is there; it may skip the test too.
    virtual void prepare() {}

    void startSimulator(const sim::SimConfig& config = {});

    // zelctl --folder <dir> --port <port, else the simulator's slave when one runs> `args`.
    ProgramRun run(const QStringList& args, const QString& port = {});
    // The same with `input` on stdin.
    ProgramRun runWithInput(const QStringList& args, const ProgramInput& input);
    // Runs each case with `before` ahead of its arguments, on `port` as run() does; every
    // failure names its case.
    void expectRuns(const std::vector<CliCase>& cases, const QStringList& before = {},
                    const QString& port = {});

    // The words of `text`, where "@name" stands for the file `name` in the test's folder and
    // "@" alone for the folder: cmd("srec @app.mot -o @app.bin").
    QStringList cmd(const char* text) const;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    // zelctl started on its own with the options run() gives; the test feeds and signals it.
    void startLive(const QStringList& args, const QString& port = {});
    // Sends `signalNumber` once `ready` holds; the exit status, -1 when it did not end.
    int signalLiveWhen(const std::function<bool()>& ready, int signalNumber);
    // The exit status once the live run ended, -1 when it did not end or crashed.
    int liveExit();
    QString liveErr() { return QString::fromLocal8Bit(live.readAllStandardError()); }

    QTemporaryDir dir;
    std::unique_ptr<sim::SimulatedController> simulator;
    QString program;
    QProcess live;

private:
    QStringList globalOptions(const QString& port) const;
};

} // namespace zel::test
