#include "CliTitleCsv.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliTitleFile.h"
#include "common/FileBytes.h"
#include "titles/TitleCsvReader.h"
#include "titles/TitleCsvWriter.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFileWriter.h"
#include "titletable/TitleCharTable.h"

#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <optional>

namespace zel::cli {

namespace {

const QString kStandardStream = QStringLiteral("-");

struct CsvArguments {
    QString input;
    QString output;
};

void printError(const QString& text) {
    CliContext::printUsageError(QStringLiteral("titles: ") + text);
}

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    return first.exists() && second.exists() &&
           first.canonicalFilePath() == second.canonicalFilePath();
}

// Two positional arguments, IN and OUT, that are not the same file. ExitOk to go on.
int parse(const QStringList& args, const QString& usage, CsvArguments& parsed) {
    QStringList positional;
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i].startsWith(QLatin1Char('-')) && args[i] != kStandardStream) {
            printError(QStringLiteral("unknown option '%1'; usage: %2").arg(args[i], usage));
            return ExitUsage;
        }
        positional.append(args[i]);
    }
    if (positional.size() != 2) {
        printError(QStringLiteral("usage: ") + usage);
        return ExitUsage;
    }
    parsed = {positional[0], positional[1]};
    if (parsed.input == parsed.output || sameFile(parsed.input, parsed.output)) {
        printError(
            QStringLiteral("%1: the output is the input; nothing written").arg(parsed.output));
        return ExitUsage;
    }
    return ExitOk;
}

// A place a file can be written; said before anything is read.
bool outputWritable(const QString& path) {
    if (IsReplaceableFile(path))
        return true;
    printError(QStringLiteral("%1: not a regular file; nothing written").arg(path));
    return false;
}

bool writeStandardOutput(const QByteArray& bytes) {
    const bool written =
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) == size_t(bytes.size());
    if (std::fflush(stdout) == 0 && written)
        return true;
    printError(QStringLiteral("standard output: the text could not be written"));
    return false;
}

// All of standard input, at most `maxBytes`; nothing (message printed) beyond that.
std::optional<QByteArray> readStandardInput(qint64 maxBytes) {
    QFile input;
    QByteArray bytes;
    if (input.open(stdin, QIODevice::ReadOnly))
        bytes = input.read(maxBytes + 1);
    if (input.error() != QFileDevice::NoError) {
        printError(QStringLiteral("standard input: %1").arg(input.errorString()));
        return std::nullopt;
    }
    if (bytes.size() > maxBytes) {
        printError(
            QStringLiteral("standard input: more than %1 bytes; not a title CSV").arg(maxBytes));
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> readCsvInput(CliContext& context, const QString& path) {
    if (path == kStandardStream)
        return readStandardInput(kTitleCsvMaxBytes);
    FileBytes read = ReadFileBytes(path, kTitleCsvMaxBytes);
    if (read.ok())
        return read.bytes;
    printError(
        FileProblemLine(path, read.problem, context.settings().languageIndex(), read.detail));
    return std::nullopt;
}

} // namespace

int RunTitleExport(CliContext& context, const QStringList& args) {
    CsvArguments parsed;
    if (const int failed = parse(args, QStringLiteral("titles export IN.ttl OUT.csv"), parsed))
        return failed;
    if (parsed.input == kStandardStream) {
        printError(QStringLiteral("export reads a .ttl file, not standard input"));
        return ExitUsage;
    }
    const bool toStandardOutput = parsed.output == kStandardStream;
    if (!toStandardOutput && !outputWritable(parsed.output))
        return ExitFailed;
    TitleDocument document;
    if (!ReadTitleFileForCli(context, parsed.input, document))
        return ExitFailed;
    if (toStandardOutput)
        return writeStandardOutput(TitleCsvBytes(document)) ? ExitOk : ExitFailed;
    QString error;
    if (WriteTitleCsvFile(parsed.output, document, &error))
        return ExitOk;
    printError(QStringLiteral("%1: %2; nothing written").arg(parsed.output, error));
    return ExitFailed;
}

int RunTitleImport(CliContext& context, const QStringList& args) {
    CsvArguments parsed;
    if (const int failed = parse(args, QStringLiteral("titles import IN.csv OUT.ttl"), parsed))
        return failed;
    if (parsed.output == kStandardStream) {
        printError(QStringLiteral("import writes a .ttl file, not standard output"));
        return ExitUsage;
    }
    if (!outputWritable(parsed.output))
        return ExitFailed;
    const std::optional<QByteArray> bytes = readCsvInput(context, parsed.input);
    if (!bytes)
        return ExitFailed;
    const TitleCharTable table(context.settings().languageIndex());
    const TitleCsvImport imported = ReadTitleCsv(*bytes, table);
    if (!imported.ok()) {
        for (const TitleCsvProblem& problem : imported.problems)
            std::fputs((problem.text() + QLatin1Char('\n')).toUtf8().constData(), stderr);
        const QString input =
            parsed.input == kStandardStream ? QStringLiteral("standard input") : parsed.input;
        printError(
            imported.refused
                ? QStringLiteral("%1 is not a title CSV; %2 not written").arg(input, parsed.output)
                : QStringLiteral("%1: %2 bad rows; %3 not written")
                      .arg(input)
                      .arg(imported.problems.size())
                      .arg(parsed.output));
        return ExitFailed;
    }
    if (WriteTitleFile(parsed.output, imported.document, TitleFileLabelsFor(context.language()),
                       context.messages()))
        return ExitOk;
    printError(QStringLiteral("%1 not written").arg(parsed.output));
    return ExitFailed;
}

} // namespace zel::cli
