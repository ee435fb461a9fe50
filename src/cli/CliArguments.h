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
};

} // namespace zel::cli
