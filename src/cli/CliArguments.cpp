#include "CliArguments.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "backup/NumberBox.h"
#include "common/OutputPath.h"

#include <algorithm>

namespace zel::cli {

OptionMatch takeOption(const QStringList& args, qsizetype& i,
                       std::initializer_list<ValueOption> options) {
    const QString& arg = args[i];
    for (const ValueOption& option : options) {
        qsizetype used = 0;
        if (arg == option.name) {
            if (i + 1 >= args.size())
                return OptionMatch::MissingValue;
            *option.value = args[i + 1];
            used = 2;
        } else if (arg.startsWith(option.name + QLatin1Char('='))) {
            *option.value = arg.mid(option.name.size() + 1);
            used = 1;
        } else {
            continue;
        }
        if (option.given)
            *option.given = true;
        i += used;
        return OptionMatch::Taken;
    }
    return OptionMatch::None;
}

OptionMatch removeOption(QStringList& args, qsizetype i,
                         std::initializer_list<ValueOption> options) {
    const qsizetype start = i;
    const OptionMatch match = takeOption(args, i, options);
    if (match == OptionMatch::Taken)
        args.remove(start, i - start);
    return match;
}

int CheckOutputForCli(const QString& command, const QString& path, const QStringList& inputs,
                      const QString& outcome) {
    const OutputCheck check = CheckOutputPath(path, inputs);
    if (check.ok())
        return ExitOk;
    CliContext::printUsageError(
        QStringLiteral("%1: %2; %3").arg(command, OutputProblemLine(path, check, 0), outcome));
    return check.isUsageMistake() ? ExitUsage : ExitFailed;
}

bool IsDecimalDigits(const QString& text, qsizetype maxDigits) {
    return !text.isEmpty() && text.size() <= maxDigits &&
           std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

bool takeFileArgument(const QString& arg, QString& file, QString* why) {
    if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
        *why = QStringLiteral("unknown option '%1'").arg(arg);
        return false;
    }
    if (!file.isEmpty()) {
        *why = QStringLiteral("only one FILE may be given");
        return false;
    }
    file = arg;
    return true;
}

OptionMatch CameraAddress::take(const QStringList& args, qsizetype& i) {
    return takeOption(args, i,
                      {{QStringLiteral("--camera"), &cameraNo, &haveCamera},
                       {QStringLiteral("--remote"), &remoteNo, &haveRemote}});
}

namespace {

// Empty when `text` is decimal digits within low..high.
QString numberError(const QString& option, const QString& text, int low, int high) {
    if (NumberBox::isInRange(text, low, high))
        return {};
    return QStringLiteral("%1 must be a number from %2 to %3 (got '%4')")
        .arg(option)
        .arg(low)
        .arg(high)
        .arg(text);
}

} // namespace

QString CameraAddress::rangeError(int cameraLow) const {
    if (haveCamera) {
        const QString error =
            numberError(QStringLiteral("--camera"), cameraNo, cameraLow, NumberBox::kCameraHigh);
        if (!error.isEmpty())
            return error;
    }
    if (!haveRemote)
        return {};
    return numberError(QStringLiteral("--remote"), remoteNo, NumberBox::kRemoteLow,
                       NumberBox::kRemoteHigh);
}

} // namespace zel::cli
