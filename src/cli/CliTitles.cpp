// zelctl titles: title codes, title file checks, and all-category title download and upload.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CliSite.h"
#include "CliTitleCsv.h"
#include "CliTitleFile.h"
#include "CliTitleSearch.h"
#include "backup/NumberBox.h"
#include "common/HexText.h"
#include "titles/TitleCategory.h"
#include "titles/TitleCharTable.h"
#include "titles/TitleCheck.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFileWriter.h"
#include "titles/TitleTransfer.h"

#include <cstdio>
#include <functional>

namespace zel::cli {

namespace {

struct TransferArguments {
    CameraAddress address;
    QString file;
};

int usageError(const QString& text) {
    CliContext::printUsageError(QStringLiteral("titles: ") + text);
    return ExitUsage;
}

void printLine(const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

bool parseTransferArguments(const QStringList& args, TransferArguments& parsed) {
    for (qsizetype i = 1; i < args.size();) {
        const OptionMatch match = parsed.address.take(args, i);
        if (match == OptionMatch::MissingValue) {
            usageError(QStringLiteral("--camera and --remote need a value"));
            return false;
        }
        if (match == OptionMatch::Taken)
            continue;
        const QString& arg = args[i++];
        if ((arg.startsWith(QLatin1Char('-')) && arg.size() > 1) || !parsed.file.isEmpty()) {
            usageError(QStringLiteral("unexpected argument '%1'").arg(arg));
            return false;
        }
        parsed.file = arg;
    }
    if (parsed.file.isEmpty()) {
        usageError(QStringLiteral("FILE is required"));
        return false;
    }
    if (const QString range = parsed.address.rangeError(); !range.isEmpty()) {
        usageError(range);
        return false;
    }
    return true;
}

int runEncode(CliContext& context, const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("encode TEXT"));
    const TitleCharTable table(context.settings().languageIndex());
    TitleCodes codes{};
    if (!table.TitleTextToCodes(args[1], codes)) {
        CliContext::printUsageError(
            QStringLiteral("titles: the title cannot be encoded (more than 8 characters, a "
                           "broken escape, or no character of the table)"));
        return ExitFailed;
    }
    QStringList groups;
    for (int k = 1; k <= TitleCharTable::kMaxTitleLength; ++k)
        groups.append(
            QStringLiteral("%1").arg(codes[size_t(k)], 4, 16, QLatin1Char('0')).toUpper());
    printLine(groups.join(QLatin1Char(' ')));
    return ExitOk;
}

int runDecode(CliContext& context, const QStringList& args) {
    QString hex = args.mid(1).join(QString());
    hex.remove(QLatin1Char(' '));
    if (hex.isEmpty() || hex.size() % 4 != 0 || !IsHexText(hex))
        return usageError(QStringLiteral("decode HEX: four hex digits per code"));
    const TitleCharTable table(context.settings().languageIndex());
    printLine(table.TitleCodesToText(hex));
    return ExitOk;
}

int runCheck(CliContext& context, const QStringList& args) {
    if (args.size() != 2)
        return usageError(QStringLiteral("check FILE.ttl"));
    TitleDocument document;
    if (!ReadTitleFileForCli(context, args[1], document))
        return ExitFailed;
    const TitleCharTable table(context.settings().languageIndex());
    bool anyFailed = false;
    for (int category = 0; category < kTitleCategoryCount; ++category) {
        const TitleCheckCounts counts = CheckCategory(document, table, category);
        if (counts.passed())
            continue;
        anyFailed = true;
        printLine(QStringLiteral("%1: %2 character errors, %3 length errors")
                      .arg(QString(TitleCategoryAt(category).tabCaption))
                      .arg(counts.characterErrors)
                      .arg(counts.lengthErrors));
    }
    return anyFailed ? ExitFailed : ExitOk;
}

void connectProgress(CliContext& context, TitleTransfer& transfer) {
    transfer.dialog().onChanged = [&context, &transfer] {
        const TransferDialogState& view = transfer.dialog().state();
        const QString label = view.caption.section(QStringLiteral("  "), 0, 0);
        context.showProgress(label, view.progressValue, view.progressMax);
    };
}

// Runs an all-category transfer on the link until it completes or ends.
// `interruptedOutcome` says what an interruption leaves behind.
// `keep` stores the result of a completed transfer; the completion line follows only when it
// succeeds, so a failed save is never reported as done.
template <typename Start>
int runTransfer(
    CliContext& context, TitleDocument& document, const QString& interruptedOutcome, Start start,
    const std::function<bool()>& keep = [] { return true; }) {
    CliLink link(context);
    if (!link.open())
        return ExitFailed;
    const TitleCharTable table(context.settings().languageIndex());
    TitleTransfer transfer(link.engine(), document, table, context.language());
    connectProgress(context, transfer);
    transfer.onFinished = [&context, &link](bool completed) {
        context.finishProgress();
        link.finish(completed ? ExitOk : ExitFailed);
    };
    link.onInterrupted = [&transfer] {
        if (transfer.dialog().isOpen())
            transfer.dialog().close(); // as Cancel
    };
    if (!start(transfer))
        return ExitFailed;
    const int exitCode = link.exec();
    if (link.interruptedBy() != 0) {
        const TransferDialogState& view = transfer.dialog().state();
        CliContext::printUsageError(QStringLiteral("interrupted after %1 of %2 titles; %3")
                                        .arg(view.progressValue)
                                        .arg(view.progressMax)
                                        .arg(interruptedOutcome));
    }
    if (transfer.dialog().isOpen())
        transfer.dialog().close(); // the completed dialog: the link is reset
    if (exitCode != ExitOk)
        return exitCode;
    const QString completedLine = transfer.dialog().state().labels2[0];
    if (!keep())
        return ExitFailed;
    printLine(completedLine);
    return ExitOk;
}

int runDownload(CliContext& context, const QStringList& args) {
    TransferArguments parsed;
    if (!parseTransferArguments(args, parsed))
        return ExitUsage;
    if (!parsed.address.complete())
        return usageError(QStringLiteral("--camera N and --remote N are required"));
    if (!NumberBox::checkAddress(context.messages(), context.language(), parsed.address.remoteNo,
                                 parsed.address.cameraNo))
        return ExitFailed;
    // The file is written after the whole transfer: refuse a place it cannot go first.
    if (const int refused = CheckOutputForCli(QStringLiteral("titles"), parsed.file))
        return refused;
    TitleDocument document;
    document.CameraNo = parsed.address.cameraNo;
    document.RemoteNo = parsed.address.remoteNo;
    return runTransfer(
        context, document, QStringLiteral("%1 was not written").arg(parsed.file),
        [](TitleTransfer& transfer) { return transfer.startAllDownload(); },
        [&] {
            return WriteTitleFile(parsed.file, document, TitleFileLabelsFor(context.language()),
                                  context.messages());
        });
}

int runUpload(CliContext& context, const QStringList& args) {
    TransferArguments parsed;
    if (!parseTransferArguments(args, parsed))
        return ExitUsage;
    TitleDocument document;
    if (!ReadTitleFileForCli(context, parsed.file, document))
        return ExitFailed;
    if (parsed.address.haveCamera)
        document.CameraNo = parsed.address.cameraNo;
    if (parsed.address.haveRemote)
        document.RemoteNo = parsed.address.remoteNo;
    if (!NumberBox::checkAddress(context.messages(), context.language(), document.RemoteNo,
                                 document.CameraNo))
        return ExitFailed;
    // A failing title: the check result and nothing sent, without touching the line.
    const TitleCharTable table(context.settings().languageIndex());
    const TitleCheckCounts counts = CheckAllCategories(document, table);
    if (!counts.passed()) {
        ShowCheckResult(context.messages(), context.language(), counts);
        return ExitFailed;
    }
    return runTransfer(context, document, QStringLiteral("the camera holds the titles sent so far"),
                       [](TitleTransfer& transfer) {
                           return transfer.startAllUpload() == TitleTransfer::AllUploadStart::Sent;
                       });
}

int runTitles(CliContext& context, const QStringList& args) {
    if (args.isEmpty())
        return usageError(
            QStringLiteral("encode, decode, check, download, upload, find, replace, export or "
                           "import expected"));
    if (!context.loadSettings(false))
        return ExitFailed;
    const QString& sub = args[0];
    if (sub == QStringLiteral("encode"))
        return runEncode(context, args);
    if (sub == QStringLiteral("decode"))
        return runDecode(context, args);
    if (sub == QStringLiteral("check"))
        return runCheck(context, args);
    if (sub == QStringLiteral("download"))
        return IsSiteForm(args) ? RunSiteTitlesDownload(context, args) : runDownload(context, args);
    if (sub == QStringLiteral("upload"))
        return runUpload(context, args);
    if (sub == QStringLiteral("find"))
        return RunTitleFind(context, args);
    if (sub == QStringLiteral("replace"))
        return RunTitleReplace(context, args);
    if (sub == QStringLiteral("export"))
        return RunTitleExport(context, args);
    if (sub == QStringLiteral("import"))
        return RunTitleImport(context, args);
    return usageError(QStringLiteral("unknown subcommand '%1'").arg(sub));
}

const CommandRegistrar registrar{
    {QStringLiteral("titles"),
     QStringLiteral("titles encode TEXT | decode HEX | check FILE.ttl\n"
                    "  titles download --camera N --remote N FILE.ttl\n"
                    "  titles download --camera LIST --remote N DIR   (DIR/cam001.ttl ...)\n"
                    "  titles upload [--camera N --remote N] FILE.ttl\n"
                    "  titles find FILE.ttl --category N [--whole] TEXT\n"
                    "  titles replace FILE.ttl --category N [--whole] --find TEXT --replace TEXT "
                    "[-o OUT.ttl]\n"
                    "  titles export IN.ttl OUT.csv   (OUT.csv '-': standard output)\n"
                    "  titles import IN.csv OUT.ttl   (IN.csv '-': standard input)"),
     &runTitles}};

} // namespace

} // namespace zel::cli
