#pragma once
// Options that carry a value, given as "--name VALUE" or "--name=VALUE".
#include <QString>
#include <QStringList>
#include <initializer_list>

namespace zel::cli {

// One such option and where its value goes; `given` (when set) turns true once it is read.
struct ValueOption {
    QString name;
    QString* value = nullptr;
    bool* given = nullptr;
};

enum class OptionMatch {
    None,         // the argument is none of the options
    Taken,        // the value is stored
    MissingValue, // "--name" is the last argument; nothing stored
};

// Reads one of `options` at args[i]; when Taken, `i` moves past the option and its value.
OptionMatch takeOption(const QStringList& args, qsizetype& i,
                       std::initializer_list<ValueOption> options);

// The same, but what was taken is removed from `args` and `i` stays.
OptionMatch removeOption(QStringList& args, qsizetype i,
                         std::initializer_list<ValueOption> options);

// `arg`, which is none of a command's known options, as the command's one FILE. False with
// the reason in `why` for an unknown option ("-x", "--x") or a second file.
bool takeFileArgument(const QString& arg, QString& file, QString* why);

// The output-path rule on a command's output file, before anything is read, sent or written:
// ExitOk when `path` may be written, else "zelctl: <command>: <path>: <reason>; <outcome>"
// on stderr and ExitUsage (it names an input) or ExitFailed (the file system refuses it).
int CheckOutputForCli(const QString& command, const QString& path, const QStringList& inputs = {},
                      const QString& outcome = QStringLiteral("nothing sent"));

// A number written with decimal digits only, 1..maxDigits of them.
bool IsDecimalDigits(const QString& text, qsizetype maxDigits);

// --camera N and --remote N: the camera a command addresses.
struct CameraAddress {
    QString cameraNo;
    QString remoteNo;
    bool haveCamera = false;
    bool haveRemote = false;

    // Reads either option at args[i], as takeOption does.
    OptionMatch take(const QStringList& args, qsizetype& i);
    bool complete() const { return haveCamera && haveRemote; }
    // Usage error for a given number that is not decimal digits within its range (camera
    // `cameraLow` to 255, remote 1 to 99), naming the option and the range; empty when both
    // fit. Camera 0 answers nothing, so transfers start at 1.
    QString rangeError(int cameraLow = 1) const;
};

} // namespace zel::cli
