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

} // namespace zel::test
