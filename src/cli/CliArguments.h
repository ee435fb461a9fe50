#pragma once
// Arguments several commands share: the camera address options and a command's one FILE.
#include "CliOption.h"

#include <QString>

namespace zel::cli {

class CommandLine;

// The output-path rule on a command's output file, before anything is read, sent or written:
// ExitOk when `path` may be written, else "zelctl: <command>: <path>: <reason>; <outcome>"
// on stderr and ExitUsage (it names an input) or ExitFailed (the file system refuses it).
int CheckOutputForCli(const QString& command, const QString& path, const QStringList& inputs = {},
                      const QString& outcome = QStringLiteral("nothing sent"));

// A number written with decimal digits only, 1..maxDigits of them.
bool IsDecimalDigits(const QString& text, qsizetype maxDigits);

// --camera N / --remote N as declared by a command; `cameraText` says what N may be.
CliOption CameraOption(const QString& valueName, const QString& cameraText,
                       const QStringList& forms = {});
CliOption RemoteOption(const QStringList& forms = {});

// The positional arguments after the subcommand (or all of them when `withSubcommand` is
// false) as the command's one FILE: empty with the usage error in `why` when there are none
// ("`what` is required") or more than one.
QString OneFile(const CommandLine& line, bool withSubcommand, const QString& what, QString* why);

// --camera N and --remote N: the camera a command addresses.
struct CameraAddress {
    QString cameraNo;
    QString remoteNo;
    bool haveCamera = false;
    bool haveRemote = false;
    int languageIndex = 0; // of the usage errors, as the command line's

    static CameraAddress from(const CommandLine& line);
    bool complete() const { return haveCamera && haveRemote; }
    // Usage error for a given number that is not decimal digits within its range (camera
    // `cameraLow` to 255, remote 1 to 99), naming the option and the range; empty when both
    // fit. Camera 0 answers nothing, so transfers start at 1.
    QString rangeError(int cameraLow = 1) const;
};

} // namespace zel::cli
