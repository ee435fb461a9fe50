#include "CliArguments.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliTexts.h"
#include "CommandLine.h"
#include "common/NumberRange.h"
#include "common/OutputPath.h"

#include <algorithm>

namespace zel::cli {

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

CliOption CameraOption(const QString& valueName, const QString& cameraText,
                       const QStringList& forms) {
    return {{QStringLiteral("camera")}, valueName, cameraText, {}, forms};
}

CliOption RemoteOption(const QStringList& forms) {
    return {{QStringLiteral("remote")},
            QStringLiteral("N"),
            QStringLiteral("remote number of the camera controller, 1 to 99"),
            {},
            forms};
}

QString OneFile(const CommandLine& line, bool withSubcommand, const QString& what, QString* why) {
    const QStringList files = withSubcommand ? line.operands() : line.positional();
    if (files.size() == 1)
        return files.first();
    *why = cliText(line.languageIndex(), files.isEmpty() ? CliText::Required : CliText::OnlyOne)
               .arg(what);
    return {};
}

CameraAddress CameraAddress::from(const CommandLine& line) {
    CameraAddress address;
    address.cameraNo = line.value(QStringLiteral("camera"));
    address.remoteNo = line.value(QStringLiteral("remote"));
    address.haveCamera = line.isSet(QStringLiteral("camera"));
    address.haveRemote = line.isSet(QStringLiteral("remote"));
    address.languageIndex = line.languageIndex();
    return address;
}

namespace {

// Empty when `text` is decimal digits within low..high.
QString numberError(int languageIndex, const QString& option, const QString& text, int low,
                    int high) {
    if (NumberRange(low, high).contains(text))
        return {};
    return cliText(languageIndex, CliText::NumberRange).arg(option).arg(low).arg(high).arg(text);
}

} // namespace

QString CameraAddress::rangeError(int cameraLow) const {
    if (haveCamera) {
        const QString error = numberError(languageIndex, QStringLiteral("--camera"), cameraNo,
                                          cameraLow, kCameraNoRange.high());
        if (!error.isEmpty())
            return error;
    }
    if (!haveRemote)
        return {};
    return numberError(languageIndex, QStringLiteral("--remote"), remoteNo, kRemoteNoRange.low(),
                       kRemoteNoRange.high());
}

} // namespace zel::cli
