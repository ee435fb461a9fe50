#pragma once
// Runs one of the built programs (zelctl, zelsim) as a separate process.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <optional>

namespace zel::test {

struct ProgramRun {
    int exitCode = -1; // -2 when it did not end in time
    QString out;
    QString err;
};

// What the program reads on stdin: `bytes`, then the end of input; or the file `file`.
struct ProgramInput {
    QByteArray bytes;
    QString file;
};

// Path of program `name` as built beside the tests: <build>/tests/test_x and <build>/src/name.
QString BuiltProgram(const QString& name);

// Runs `program` while this thread's event loop keeps running, so a simulator in the same
// thread answers it; a program still running after `timeoutMs` is killed.
// `environment` replaces this process's environment for the program when given.
ProgramRun
RunProgram(const QString& program, const QStringList& args, int timeoutMs,
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

// The same with `input` on the program's stdin.
ProgramRun RunProgramWithInput(const QString& program, const QStringList& args, int timeoutMs,
                               const ProgramInput& input);

// Whether `run` ended with `exitCode`, its stderr holding `err` ("" for any; a text ending in
// a line break is the whole of stderr) and, when given, its whole stdout being `out`. A
// failure shows the whole run.
::testing::AssertionResult Ended(const ProgramRun& run, int exitCode, const QString& err = {},
                                 const std::optional<QString>& out = std::nullopt);
inline ::testing::AssertionResult Ended(const ProgramRun& run, int exitCode, const char* err,
                                        const char* out = nullptr) {
    return Ended(run, exitCode, QString::fromUtf8(err),
                 out ? std::optional(QString::fromUtf8(out)) : std::nullopt);
}
// Whether `run` ended with 0 and nothing on stderr (and, when given, `out` on stdout).
::testing::AssertionResult Succeeded(const ProgramRun& run,
                                     const std::optional<QString>& out = std::nullopt);

} // namespace zel::test
