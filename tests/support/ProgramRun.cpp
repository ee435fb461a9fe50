#include "ProgramRun.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace zel::test {

namespace {

// Runs the started `process` until it ends or `timeoutMs` passed, then makes sure it is gone.
ProgramRun Finish(QProcess& process, int timeoutMs) {
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, [&loop] { loop.quit(); });
    QTimer::singleShot(timeoutMs, &loop, [&loop] { loop.quit(); });
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    ProgramRun result;
    result.exitCode = process.state() == QProcess::NotRunning ? process.exitCode() : -2;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    process.kill();
    process.waitForFinished();
    return result;
}

} // namespace

QString BuiltProgram(const QString& name) {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../src/") + name;
}

ProgramRun RunProgram(const QString& program, const QStringList& args, int timeoutMs,
                      const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, args);
    return Finish(process, timeoutMs);
}

ProgramRun RunProgramWithInput(const QString& program, const QStringList& args, int timeoutMs,
                               const ProgramInput& input) {
    QProcess process;
    if (!input.file.isEmpty())
        process.setStandardInputFile(input.file);
    process.start(program, args);
    if (input.file.isEmpty()) {
        process.write(input.bytes);
        process.closeWriteChannel();
    }
    return Finish(process, timeoutMs);
}

namespace {

::testing::AssertionResult RunShown(bool good, const ProgramRun& run) {
    return (good ? ::testing::AssertionSuccess() : ::testing::AssertionFailure())
           << "exit " << run.exitCode << "\nstderr:\n"
           << run.err.toStdString() << "stdout:\n"
           << run.out.toStdString();
}

} // namespace

::testing::AssertionResult Ended(const ProgramRun& run, int exitCode, const QString& err,
                                 const std::optional<QString>& out) {
    const bool errGood = err.endsWith(QLatin1Char('\n')) ? run.err == err : run.err.contains(err);
    const bool good = run.exitCode == exitCode && errGood && (!out || run.out == *out);
    return RunShown(good, run) << "\nexpected exit " << exitCode << ", stderr with '"
                               << err.toStdString() << "'"
                               << (out ? ", stdout:\n" + out->toStdString() : std::string());
}

::testing::AssertionResult Succeeded(const ProgramRun& run, const std::optional<QString>& out) {
    return RunShown(run.exitCode == 0 && run.err.isEmpty() && (!out || run.out == *out), run);
}

} // namespace zel::test
