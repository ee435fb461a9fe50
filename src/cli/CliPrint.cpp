// zelctl print: the title, test and log reports written to a PDF file, laid out as the
// windows print them, without a printer or a display.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliTitleFile.h"
#include "ReportRenderer.h"
#include "common/MessageNumber.h"
#include "common/OutputPath.h"
#include "commtest/TestFileReader.h"
#include "commtest/TestScreen.h"
#include "link/CommLogFile.h"
#include "link/CommLogStore.h"
#include "printing/PrintData.h"
#include "titles/TitleDocument.h"

#include <QPdfWriter>
#include <QSaveFile>
#include <cstdio>
#include <optional>

namespace zel::cli {

namespace {

constexpr int kPdfResolution = 600;

struct PrintArguments {
    QString input;
    QString pdf;
    QString category;
    bool haveCategory = false;
};

int usageError(const QString& text) {
    CliContext::printUsageError(QStringLiteral("print: ") + text);
    return ExitUsage;
}

bool parseArguments(const QStringList& args, PrintArguments& parsed) {
    for (qsizetype i = 1; i < args.size();) {
        const OptionMatch match =
            takeOption(args, i,
                       {{QStringLiteral("--pdf"), &parsed.pdf},
                        {QStringLiteral("--category"), &parsed.category, &parsed.haveCategory}});
        if (match == OptionMatch::MissingValue) {
            usageError(QStringLiteral("%1 needs a value").arg(args[i]));
            return false;
        }
        if (match == OptionMatch::Taken)
            continue;
        QString why;
        if (!takeFileArgument(args[i++], parsed.input, &why)) {
            usageError(why);
            return false;
        }
    }
    if (parsed.input.isEmpty() || parsed.pdf.isEmpty()) {
        usageError(QStringLiteral("an input file and --pdf OUT.pdf are required"));
        return false;
    }
    return true;
}

// A reader stopped part-way: "No more data is read.", or "Keep file reading ?" answered No.
bool readingStopped(CliContext& context) {
    const QList<int>& shown = context.messages().shown();
    return shown.contains(MessageNoMoreData) ||
           (shown.contains(MessageKeepReading) && !context.options().yes);
}

// The print error box as a line on stderr: "<title>: <text>".
void printPdfError(CliContext& context, const QString& text) {
    const MessageBoxContent box = ComposePrintError(context.language(), text);
    std::fputs(
        (box.title + QStringLiteral(": ") + box.text + QLatin1Char('\n')).toLocal8Bit().constData(),
        stderr);
}

// Writes the PDF next to its final name and renames it only when it is complete.
int writePdf(CliContext& context, const PrintReport& report, const QString& path) {
    QSaveFile file(path);
    QString error;
    if (file.open(QIODevice::WriteOnly)) {
        QPdfWriter writer(&file);
        writer.setTitle(report.title);
        writer.setCreator(QStringLiteral("zelctl"));
        writer.setResolution(kPdfResolution);
        ApplyReportPageLayout(writer);
        ReportRenderer renderer(report);
        if (!renderer.render(writer, &error))
            file.cancelWriting();
    }
    if (error.isEmpty() && !file.commit())
        error = file.errorString();
    if (error.isEmpty())
        return ExitOk;
    printPdfError(context, QStringLiteral("%1: %2").arg(path, error));
    return ExitFailed;
}

std::optional<int> parseCategory(const PrintArguments& parsed) {
    bool numeric = false;
    const int category = parsed.category.toInt(&numeric);
    if (!parsed.haveCategory || !numeric || category < 0 || category > 8)
        return std::nullopt;
    return category;
}

int printTitles(CliContext& context, const PrintArguments& parsed) {
    const std::optional<int> category = parseCategory(parsed);
    if (!category)
        return usageError(QStringLiteral("titles needs --category N, N from 0 to 8"));
    TitleDocument document;
    if (!ReadTitleFileForCli(context, parsed.input, document))
        return ExitFailed;
    return writePdf(context, *GatherTitleReport(document, *category, context.language()),
                    parsed.pdf);
}

int printTest(CliContext& context, const PrintArguments& parsed) {
    TestScreen screen;
    TestFileReader reader(context.messages(), context.language());
    if (reader.load(parsed.input, screen) != TestFileReader::Result::Loaded)
        return ExitFailed;
    return writePdf(context, GatherCommTestReport(screen), parsed.pdf);
}

int printLog(CliContext& context, const PrintArguments& parsed) {
    CommLogStore store;
    if (!CommLogFile::load(parsed.input, store, context.messages()) || readingStopped(context))
        return ExitFailed;
    return writePdf(context, GatherCommLogReport(store), parsed.pdf);
}

int runPrint(CliContext& context, const QStringList& args) {
    if (args.isEmpty())
        return usageError(QStringLiteral("titles, test or log expected"));
    PrintArguments parsed;
    if (!parseArguments(args, parsed))
        return ExitUsage;
    const OutputCheck output = CheckOutputPath(parsed.pdf, {parsed.input});
    if (output.isUsageMistake())
        return usageError(QStringLiteral("--pdf must not name the input file"));
    if (!context.loadSettings(false))
        return ExitFailed;
    if (!output.ok()) {
        printPdfError(context,
                      OutputProblemLine(parsed.pdf, output, context.settings().languageIndex()));
        return ExitFailed;
    }
    const QString& sub = args[0];
    if (sub == QStringLiteral("titles"))
        return printTitles(context, parsed);
    if (parsed.haveCategory)
        return usageError(QStringLiteral("--category belongs to print titles"));
    if (sub == QStringLiteral("test"))
        return printTest(context, parsed);
    if (sub == QStringLiteral("log"))
        return printLog(context, parsed);
    return usageError(QStringLiteral("unknown subcommand '%1'").arg(sub));
}

const CommandRegistrar registrar{
    {QStringLiteral("print"),
     QStringLiteral("print titles FILE.ttl --category N --pdf OUT.pdf\n"
                    "  print test FILE.trf --pdf OUT.pdf\n"
                    "  print log FILE.log --pdf OUT.pdf"),
     &runPrint, CommandNeeds::Painting}};

} // namespace

} // namespace zel::cli
