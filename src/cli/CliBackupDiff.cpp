// zelctl backup diff: two backup files, or a backup file and the camera, compared block by
// block.
#include "CliArguments.h"
#include "CliBackup.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CliTexts.h"
#include "CliTransferRun.h"
#include "CommandLine.h"
#include "backup/BackupComparison.h"
#include "backup/BackupFile.h"
#include "backup/BackupSession.h"
#include "common/NumberRange.h"

#include <cstdio>
#include <optional>

namespace zel::cli {

namespace {

// Exit codes of the comparison, as diff(1) has them.
enum DiffExit { DiffIdentical = 0, DiffDiffer = 1, DiffTrouble = 2 };

struct DiffArguments {
    CameraAddress address;
    QStringList files;
    bool everyByte = false;
};

// Fills `parsed`; an empty text on success, else the usage error.
QString parse(const CommandLine& line, DiffArguments& parsed) {
    if (const QString misplaced =
            line.misplacedOption(QStringLiteral("backup"), QStringLiteral("diff"));
        !misplaced.isEmpty())
        return misplaced;
    parsed.address = CameraAddress::from(line);
    parsed.everyByte = line.isSet(QStringLiteral("bytes"));
    parsed.files = line.operands();
    const bool camera = parsed.address.haveCamera || parsed.address.haveRemote;
    if (camera && !parsed.address.complete())
        return QStringLiteral("--camera N and --remote N go together");
    if (parsed.files.size() != (camera ? 1 : 2))
        return camera ? QStringLiteral("one file with --camera: diff --camera N --remote N A.bin")
                      : QStringLiteral("two files expected: diff A.bin B.bin");
    if (const QString range = parsed.address.rangeError(); camera && !range.isEmpty())
        return range;
    return {};
}

// The 32000 bytes of a backup file; nothing (reason printed) for any other file.
std::optional<QByteArray> readImage(const QString& path, int languageIndex) {
    const BackupImageRead read = BackupFile::readImage(path, languageIndex);
    if (read.ok())
        return read.bytes;
    CliContext::printUsageError(QStringLiteral("backup diff: %1: %2").arg(path, read.problem));
    return std::nullopt;
}

// The file compared with the camera's 1000 blocks, read as a verification reads them; nothing
// when the read ended early (the message is printed) or was interrupted (`exitCode` then
// holds 128 + signal).
std::optional<BackupComparison> compareWithCamera(CliContext& context, const DiffArguments& parsed,
                                                  int& exitCode) {
    exitCode = DiffTrouble;
    CliLink link(context);
    if (!link.open())
        return std::nullopt;
    BackupSession session(link.engine(), context.language(), context.messages());
    session.setRemoteNo(parsed.address.remoteNo);
    session.setCameraNo(parsed.address.cameraNo);
    ConnectBackupProgress(context, session.transfer());
    const int linkExit = RunTransfer(
        context, link,
        {.dialog = session.dialog(),
         .onFinished = session.onFinished,
         .start = [&] { return session.start(BackupSession::Action::Compare, parsed.files[0]); },
         .interruptionLine = [&] { return cliText(context.language(), CliText::DiffInterrupted); },
         .failedExit = DiffTrouble});
    if (link.interruptedBy() != 0)
        exitCode = linkExit;
    if (linkExit != ExitOk || !session.hasComparison())
        return std::nullopt;
    return session.transfer().comparison();
}

void printReport(const BackupComparison& comparison, bool everyByte) {
    const QStringList lines = BackupComparisonReport(
        comparison, everyByte ? BackupReportDetail::Bytes : BackupReportDetail::Blocks);
    std::fputs((lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

} // namespace

int RunBackupDiff(CliContext& context, const CommandLine& line) {
    DiffArguments parsed;
    if (const QString error = parse(line, parsed); !error.isEmpty()) {
        UsageError(QStringLiteral("backup diff"), error);
        return DiffTrouble;
    }
    if (!context.loadSettings(false))
        return DiffTrouble;
    const int languageIndex = context.settings().languageIndex();
    // The file is checked before anything goes on the line.
    const std::optional<QByteArray> a = readImage(parsed.files[0], languageIndex);
    if (!a)
        return DiffTrouble;
    std::optional<BackupComparison> comparison;
    if (parsed.address.complete()) {
        if (!NumberRange::checkAddress(context.messages(), context.language(),
                                       parsed.address.remoteNo, parsed.address.cameraNo))
            return DiffTrouble;
        int exitCode = DiffTrouble;
        comparison = compareWithCamera(context, parsed, exitCode);
        if (!comparison)
            return exitCode;
    } else {
        const std::optional<QByteArray> b = readImage(parsed.files[1], languageIndex);
        if (!b)
            return DiffTrouble;
        comparison = CompareBackupImages(*a, *b);
    }
    printReport(*comparison, parsed.everyByte);
    return comparison->identical() ? DiffIdentical : DiffDiffer;
}

} // namespace zel::cli
