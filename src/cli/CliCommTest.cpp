// zelctl test: load a send-data file (.trf) with every check of the communication test
// screen, print or rewrite it, or send its rows through the same core as the screen.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CliTexts.h"
#include "CommandLine.h"
#include "common/MessageNumber.h"
#include "commtest/CommTestSession.h"
#include "commtest/TestFileReader.h"
#include "commtest/TestFileWriter.h"
#include "commtest/TestRun.h"

#include <cstdio>

namespace zel::cli {

namespace {

constexpr int kMaxRounds = 1000000;

struct TestArguments {
    QString verb;   // check or run
    QString file;   // the .trf to load
    QString output; // check -o: the .trf to write
    QString rsl;    // run --rsl: the result file
    QString rounds;
};

void printLine(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
}

// Fills `parsed`; an empty text on success, else the usage error.
QString parseArguments(const CommandLine& line, TestArguments& parsed) {
    parsed.verb = line.subcommand();
    if (parsed.verb != QStringLiteral("check") && parsed.verb != QStringLiteral("run"))
        return QStringLiteral("check or run expected");
    if (const QString misplaced = line.misplacedOption(QStringLiteral("test"), parsed.verb);
        !misplaced.isEmpty())
        return misplaced;
    parsed.output = line.value(QStringLiteral("o"));
    parsed.rsl = line.value(QStringLiteral("rsl"));
    parsed.rounds = line.value(QStringLiteral("rounds"));
    QString why;
    parsed.file = OneFile(line, true, QStringLiteral("FILE.trf"), &why);
    if (parsed.file.isEmpty())
        return why;
    bool ok = false;
    const int rounds = parsed.rounds.toInt(&ok);
    if (!ok || rounds < 1 || rounds > kMaxRounds)
        return QStringLiteral("--rounds takes a number from 1 to %1").arg(kMaxRounds);
    return {};
}

bool saveSendData(CliContext& context, const QString& path, const TestScreen& screen) {
    QString error;
    const bool saved = TestFileWriter::saveSendData(path, screen, &error);
    if (!saved) {
        CliContext::printUsageError(path + QStringLiteral(": ") + error);
        context.messages().ShowMessage(MessageCannotSave);
    }
    return saved;
}

void printScreen(const TestScreen& screen) {
    const auto flag = [](bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); };
    printLine(QStringLiteral("REMOTE No.\t") + screen.hostNo);
    printLine(QStringLiteral("CAMERA No.\t") + screen.camNo);
    printLine(QStringLiteral("CONTINUOUS\t") + flag(screen.continuous));
    printLine(QStringLiteral("INTERVAL\t") + screen.interval);
    printLine(QStringLiteral("FREE FORMAT\t") + flag(screen.freeFormat));
    for (int rowNo = 1; rowNo <= TestScreen::kRowCount; ++rowNo) {
        const TestRow& row = screen.row(rowNo);
        printLine(QStringLiteral("%1\t%2\t%3\t%4")
                      .arg(rowNo)
                      .arg(row.letter(), row.text,
                           row.valid ? QStringLiteral("USED") : QStringLiteral("UNUSED")));
    }
}

// Loads the file; false when the load stopped or the file was refused.
bool loadFile(CliContext& context, const QString& path, TestScreen& screen) {
    TestFileReader reader(context.messages(), context.language());
    return reader.load(path, screen) == TestFileReader::Result::Loaded;
}

int runCheck(CliContext& context, const TestArguments& parsed) {
    if (!parsed.output.isEmpty())
        if (const int refused = CheckOutputForCli(QStringLiteral("test"), parsed.output,
                                                  {parsed.file}, QStringLiteral("nothing written")))
            return refused;
    TestScreen screen;
    if (!loadFile(context, parsed.file, screen))
        return ExitFailed;
    printScreen(screen);
    if (!parsed.output.isEmpty() && !saveSendData(context, parsed.output, screen))
        return ExitFailed;
    // Without --yes every question was answered No, so any message stopped the load.
    return context.messages().anyShown() && !context.options().yes ? ExitFailed : ExitOk;
}

int runRows(CliContext& context, const TestArguments& parsed) {
    // A result that could not be kept is refused before the first row goes out.
    if (!parsed.rsl.isEmpty())
        if (const int refused =
                CheckOutputForCli(QStringLiteral("test"), parsed.rsl, {parsed.file}))
            return refused;
    CliLink link(context);
    CommTestSession session(link.engine(), context.language(), context.messages());
    if (!session.load(parsed.file) || !link.open())
        return ExitFailed;
    TestRun run(session.test(), context.messages());
    run.onLine = [&context, &run](const TestRun::Line& line) {
        context.printAboveProgress(QStringLiteral("%1\t%2\t%3\t%4")
                                       .arg(line.rowNo)
                                       .arg(line.letter, line.sent, line.reply));
        TransferProgress progress = run.progress();
        progress.phase = cliText(context.language(), CliText::RowsPhase);
        context.showProgress(progress);
    };
    run.onFinished = [&context, &link](bool allReplied) {
        context.finishProgress();
        link.finish(allReplied ? ExitOk : ExitFailed);
    };
    if (!run.start(parsed.rounds.toInt()))
        return ExitFailed;
    const int exitCode = link.exec();
    if (parsed.rsl.isEmpty())
        return exitCode;
    // An interrupted run keeps no result: the file stays as it was.
    if (link.interruptedBy() != 0) {
        CliContext::printUsageError(
            QStringLiteral("test: ") +
            cliText(context.language(), CliText::ResultNotWritten).arg(parsed.rsl));
        return exitCode;
    }
    QString error;
    if (!session.saveResults(parsed.rsl, &error)) {
        CliContext::printUsageError(parsed.rsl + QStringLiteral(": ") + error);
        return ExitFailed;
    }
    return exitCode;
}

int runTest(CliContext& context, const CommandLine& line) {
    TestArguments parsed;
    if (const QString error = parseArguments(line, parsed); !error.isEmpty())
        return UsageError(QStringLiteral("test"), error);
    if (!context.loadSettings(false))
        return ExitFailed;
    return parsed.verb == QStringLiteral("check") ? runCheck(context, parsed)
                                                  : runRows(context, parsed);
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("test"),
     .synopses = {QStringLiteral("test check FILE.trf [-o OUT.trf]"),
                  QStringLiteral("test run FILE.trf [--rounds N] [--rsl OUT.rsl]")},
     .description = QStringLiteral(
         "check reads a communication test file as the screen's File > Open does and prints its "
         "rows. run sends the used rows to the camera, printing each row with its reply "
         "(number, letter, sent, reply; tab-separated); the rows done show as progress on "
         "stderr."),
     .options = {{{QStringLiteral("o")},
                  QStringLiteral("OUT.trf"),
                  QStringLiteral("write the rows read back out as a send-data file"),
                  {},
                  {QStringLiteral("check")}},
                 {{QStringLiteral("rounds")},
                  QStringLiteral("N"),
                  QStringLiteral("how many times the rows are sent, 1 to 1000000"),
                  QStringLiteral("1"),
                  {QStringLiteral("run")}},
                 {{QStringLiteral("rsl")},
                  QStringLiteral("OUT.rsl"),
                  QStringLiteral("write the rows with their replies as a result file"),
                  {},
                  {QStringLiteral("run")}}},
     .run = &runTest}};

} // namespace

} // namespace zel::cli
