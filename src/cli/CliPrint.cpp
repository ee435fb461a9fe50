// zelctl print: the title, test and log reports written to a PDF file, laid out as the
// windows print them, without a printer or a display.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliInputFile.h"
#include "CliTitleFile.h"
#include "CommandLine.h"
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
    return UsageError(QStringLiteral("print"), text);
}

// Fills `parsed`; an empty text on success, else the usage error.
QString parseArguments(const CommandLine& line, PrintArguments& parsed) {
    parsed.pdf = line.value(QStringLiteral("pdf"));
    parsed.category = line.value(QStringLiteral("category"));
    parsed.haveCategory = line.isSet(QStringLiteral("category"));
    QString why;
    parsed.input = OneFile(line, true, QStringLiteral("FILE"), &why);
    if (line.operands().size() > 1)
        return why;
    if (parsed.input.isEmpty() || parsed.pdf.isEmpty())
        return QStringLiteral("an input file and --pdf OUT.pdf are required");
    return {};
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
    if (!CheckInputFile(context, QStringLiteral("print"), parsed.input))
        return ExitFailed;
    if (!CommLogFile::load(parsed.input, store, context.messages()) || readingStopped(context))
        return ExitFailed;
    return writePdf(context, GatherCommLogReport(store), parsed.pdf);
}

int runPrint(CliContext& context, const CommandLine& line) {
    if (line.positional().isEmpty())
        return usageError(QStringLiteral("titles, test or log expected"));
    PrintArguments parsed;
    if (const QString error = parseArguments(line, parsed); !error.isEmpty())
        return usageError(error);
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
    const QString sub = line.subcommand();
    if (sub == QStringLiteral("titles"))
        return printTitles(context, parsed);
    if (const QString misplaced = line.misplacedOption(QStringLiteral("print"), sub);
        !misplaced.isEmpty())
        return usageError(misplaced);
    if (sub == QStringLiteral("test"))
        return printTest(context, parsed);
    if (sub == QStringLiteral("log"))
        return printLog(context, parsed);
    return usageError(QStringLiteral("unknown subcommand '%1'").arg(sub));
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("print"),
     .synopses = {QStringLiteral("print titles FILE.ttl --category N --pdf OUT.pdf"),
                  QStringLiteral("print test FILE.trf --pdf OUT.pdf"),
                  QStringLiteral("print log FILE.log --pdf OUT.pdf")},
     .description = QStringLiteral("Lays out the report the screen would print (one title "
                                   "category, a communication test file, a traffic log) as a PDF "
                                   "file, without a display or a printer."),
     .options = {{{QStringLiteral("pdf")},
                  QStringLiteral("OUT.pdf"),
                  QStringLiteral("the PDF file to write (replaced only when complete)")},
                 {{QStringLiteral("category")},
                  QStringLiteral("N"),
                  QStringLiteral("the title category to print, 0 to 8"),
                  {},
                  {QStringLiteral("titles")}}},
     .run = &runPrint,
     .needs = CommandNeeds::Painting}};

} // namespace

} // namespace zel::cli
