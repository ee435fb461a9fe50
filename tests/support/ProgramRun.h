#pragma once
// Runs one of the built programs (zelctl, zelsim) as a separate process.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace zel::test {

struct ProgramRun {
    int exitCode = -1; // -2 when it did not end in time
    QString out;
    QString err;
};

// Command-line words written as one text: Args("backup upload --camera 1") gives the four
// words of a program's argument list (split at blanks; no word holds one).
QStringList Args(const char* words);

// Path of program `name` as built beside the tests: <build>/tests/test_x and <build>/src/name.
QString BuiltProgram(const QString& name);

// Runs `program` while this thread's event loop keeps running, so a simulator in the same
// thread answers it; a program still running after `timeoutMs` is killed.
// `environment` replaces this process's environment for the program when given.
ProgramRun
RunProgram(const QString& program, const QStringList& args, int timeoutMs,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

} // namespace zel::test
