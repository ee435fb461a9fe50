#include "ProgramRun.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QProcess>
#include <QTimer>

namespace zel::test {

QString BuiltProgram(const QString& name) {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../src/") + name;
}

ProgramRun RunProgram(const QString& program, const QStringList& args, int timeoutMs,
                      const QProcessEnvironment& environment) {
    QProcess process;
    process.setProcessEnvironment(environment);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, [&loop] { loop.quit(); });
    QTimer::singleShot(timeoutMs, &loop, [&loop] { loop.quit(); });
    process.start(program, args);
    loop.exec();
    ProgramRun result;
    result.exitCode = process.state() == QProcess::NotRunning ? process.exitCode() : -2;
    result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.err = QString::fromLocal8Bit(process.readAllStandardError());
    process.kill();
    process.waitForFinished();
    return result;
}

} // namespace zel::test
