// zelctl titles: title codes, title file checks, and all-category title download and upload.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CliSite.h"
#include "CliTexts.h"
#include "CliTitleCsv.h"
#include "CliTitleFile.h"
#include "CliTitleSearch.h"
#include "CliTransferRun.h"
#include "CommandLine.h"
#include "common/HexText.h"
#include "common/NumberRange.h"
#include "link/TransferDialogModel.h"
#include "titles/TitleCheck.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFileWriter.h"
#include "titles/TitleSession.h"
#include "titles/TitleSlots.h"

#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <cstdio>
#include <functional>

namespace zel::cli {

namespace {

struct TransferArguments {
    CameraAddress address;
    QString file;
};

int usageError(const QString& text) {
    return UsageError(QStringLiteral("titles"), text);
}

void printLine(const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

bool parseTransferArguments(const CommandLine& line, TransferArguments& parsed) {
    QString why;
    if (const QString misplaced = line.misplacedOption(QStringLiteral("titles"), line.subcommand());
        !misplaced.isEmpty())
        why = misplaced;
    parsed.address = CameraAddress::from(line);
    parsed.file = OneFile(line, true, QStringLiteral("FILE"), &why);
    if (why.isEmpty())
        why = parsed.address.rangeError();
    if (why.isEmpty())
        return true;
    usageError(why);
    return false;
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

void connectProgress(CliContext& context, TransferDialogModel& dialog) {
    dialog.onChanged = [&context, &dialog] { context.showProgress(dialog.progress()); };
}

// What an interrupted transfer leaves behind: how far it came and `outcome`.
QString interruptionLine(const LanguageTables& language, const TransferDialogModel& dialog,
                         const QString& outcome) {
    return cliText(language, CliText::TitlesInterrupted)
        .arg(dialog.state().progressValue)
        .arg(dialog.state().progressMax)
        .arg(outcome);
}

// Runs an all-category transfer of `document` on the link, in the title screen's session, until
// it completes or ends. `start` starts it on the session. `interruptedOutcome` says what an
// interruption leaves behind. `keep` stores the session's document after a completed transfer;
// the completion line follows only when it succeeds, so a failed save is never reported as done.
int runTransfer(
    CliContext& context, const TitleDocument& document, const QString& interruptedOutcome,
    const std::function<bool(TitleSession&)>& start,
    const std::function<bool(const TitleDocument&)>& keep = [](const TitleDocument&) {
        return true;
    }) {
    CliLink link(context);
    if (!link.open())
        return ExitFailed;
    constexpr int kOnlyWindowSlot = 1; // the one title screen of this run
    const TitleCharTable table(context.settings().languageIndex());
    TitleSlots titleSlots;
    TitleSession session({link.engine(), titleSlots, context.settings(), table, context.language(),
                          context.messages()},
                         kOnlyWindowSlot);
    session.takeDocument(document);
    TransferDialogModel& dialog = session.transferDialog();
    connectProgress(context, dialog);
    const int exitCode = RunTransfer(
        context, link,
        {.dialog = dialog,
         .onFinished = session.onTransferEnded,
         .start = [&] { return start(session); },
         .interruptionLine =
             [&] { return interruptionLine(context.language(), dialog, interruptedOutcome); }});
    if (dialog.isOpen())
        dialog.close(); // the completed dialog: the link is reset
    if (exitCode != ExitOk)
        return exitCode;
    const QString completedLine = dialog.state().labels2[0];
    if (!keep(session.document()))
        return ExitFailed;
    printLine(completedLine);
    return ExitOk;
}

int runDownload(CliContext& context, const CommandLine& line) {
    TransferArguments parsed;
    if (!parseTransferArguments(line, parsed))
        return ExitUsage;
    if (!parsed.address.complete())
        return usageError(QStringLiteral("--camera N and --remote N are required"));
    if (!NumberRange::checkAddress(context.messages(), context.language(), parsed.address.remoteNo,
                                   parsed.address.cameraNo))
        return ExitFailed;
    // The file is written after the whole transfer: refuse a place it cannot go first.
    if (const int refused = CheckOutputForCli(QStringLiteral("titles"), parsed.file))
        return refused;
    TitleDocument document;
    document.CameraNo = parsed.address.cameraNo;
    document.RemoteNo = parsed.address.remoteNo;
    const int exitCode = runTransfer(
        context, document, cliText(context.language(), CliText::FileNotWritten).arg(parsed.file),
        [](TitleSession& session) { return session.allDownload(); },
        [&](const TitleDocument& downloaded) {
            return WriteTitleFile(parsed.file, downloaded, TitleFileLabelsFor(context.language()),
                                  context.messages());
        });
    if (exitCode == ExitOk)
        context.reportFileWritten(parsed.file);
    return exitCode;
}

int runUpload(CliContext& context, const CommandLine& line) {
    TransferArguments parsed;
    if (!parseTransferArguments(line, parsed))
        return ExitUsage;
    TitleDocument document;
    if (!ReadTitleFileForCli(context, parsed.file, document))
        return ExitFailed;
    if (parsed.address.haveCamera)
        document.CameraNo = parsed.address.cameraNo;
    if (parsed.address.haveRemote)
        document.RemoteNo = parsed.address.remoteNo;
    if (!NumberRange::checkAddress(context.messages(), context.language(), document.RemoteNo,
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
                       [](TitleSession& session) { return session.allUpload(); });
}

int runTitles(CliContext& context, const CommandLine& line) {
    const QStringList& args = line.positional();
    if (args.isEmpty())
        return usageError(
            QStringLiteral("encode, decode, check, download, upload, find, replace, export or "
                           "import expected"));
    if (!context.loadSettings(false))
        return ExitFailed;
    const QString& sub = args[0];
    if (const QString misplaced = line.misplacedOption(QStringLiteral("titles"), sub);
        !misplaced.isEmpty())
        return usageError(misplaced);
    if (sub == QStringLiteral("encode"))
        return runEncode(context, args);
    if (sub == QStringLiteral("decode"))
        return runDecode(context, args);
    if (sub == QStringLiteral("check"))
        return runCheck(context, args);
    if (sub == QStringLiteral("download"))
        return IsSiteForm(line) ? RunSiteTitlesDownload(context, line) : runDownload(context, line);
    if (sub == QStringLiteral("upload"))
        return runUpload(context, line);
    if (sub == QStringLiteral("find"))
        return RunTitleFind(context, line);
    if (sub == QStringLiteral("replace"))
        return RunTitleReplace(context, line);
    if (sub == QStringLiteral("export"))
        return RunTitleExport(context, args);
    if (sub == QStringLiteral("import"))
        return RunTitleImport(context, args);
    return usageError(QStringLiteral("unknown subcommand '%1'").arg(sub));
}

const QStringList kTransferForms{QStringLiteral("download"), QStringLiteral("upload")};
const QStringList kSearchForms{QStringLiteral("find"), QStringLiteral("replace")};

const CommandRegistrar registrar{
    {.name = QStringLiteral("titles"),
     .synopses = {QStringLiteral("titles encode TEXT"), QStringLiteral("titles decode HEX"),
                  QStringLiteral("titles check FILE.ttl"),
                  QStringLiteral("titles download --camera N --remote N FILE.ttl"),
                  QStringLiteral("titles download --camera LIST --remote N DIR"),
                  QStringLiteral("titles upload [--camera N --remote N] FILE.ttl"),
                  QStringLiteral("titles find FILE.ttl --category N [--whole] TEXT"),
                  QStringLiteral(
                      "titles replace FILE.ttl --category N [--whole] --find TEXT --replace TEXT "
                      "[-o OUT.ttl]"),
                  QStringLiteral("titles export IN.ttl OUT.csv"),
                  QStringLiteral("titles import IN.csv OUT.ttl")},
     .description = QStringLiteral(
         "encode prints the title codes of TEXT in the title table of the language (a TEXT "
         "that starts with - follows --).\n"
         "decode prints the text of title codes, four hex digits each.\n"
         "check reports the character and length errors of each category of a title file.\n"
         "download reads every category from the camera into FILE.ttl, written when complete "
         "(the completion line on stdout, then \"file written: FILE.ttl\" on stderr); "
         "with a LIST of cameras each goes into DIR/cam001.ttl ..., with a summary at the end.\n"
         "upload checks FILE.ttl and writes every category into the camera; --camera and "
         "--remote replace the file's numbers.\n"
         "find lists the titles of one category that match TEXT, as NUMBER<TAB>TITLE.\n"
         "replace replaces every match in one category (Replace All) and writes FILE.ttl, or "
         "OUT.ttl with -o.\n"
         "export writes IN.ttl as comma-separated text for a spreadsheet (OUT.csv '-': standard "
         "output).\n"
         "import reads such a file back into OUT.ttl (IN.csv '-': standard input); every bad row "
         "is listed as LINE: reason and nothing is written."),
     .options = {CameraOption(QStringLiteral("N|LIST"),
                              QStringLiteral("camera number, 1 to 255 (upload: instead of the "
                                             "file's); download also takes a LIST such as 1-8,12"),
                              kTransferForms),
                 RemoteOption(kTransferForms),
                 {{QStringLiteral("category")},
                  QStringLiteral("N"),
                  QStringLiteral("the title category, 0 to 8"),
                  {},
                  kSearchForms},
                 {{QStringLiteral("whole")},
                  {},
                  QStringLiteral("match whole titles only"),
                  {},
                  kSearchForms},
                 {{QStringLiteral("find")},
                  QStringLiteral("TEXT"),
                  QStringLiteral("the text to replace"),
                  {},
                  {QStringLiteral("replace")}},
                 {{QStringLiteral("replace")},
                  QStringLiteral("TEXT"),
                  QStringLiteral("what replaces it"),
                  {},
                  {QStringLiteral("replace")}},
                 {{QStringLiteral("o")},
                  QStringLiteral("OUT.ttl"),
                  QStringLiteral("write the result here instead of over FILE.ttl"),
                  {},
                  {QStringLiteral("replace")}}},
     .run = &runTitles}};

} // namespace

} // namespace zel::cli
