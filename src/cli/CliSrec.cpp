// zelctl srec: convert an S-record file into the image a flash write sends, or describe it.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliInputFile.h"
#include "CommandLine.h"
#include "common/FileBytes.h"
#include "common/MessageNumber.h"
#include "cpuwriter/SRecordFile.h"
#include "cpuwriter/SRecordImage.h"
#include "cpuwriter/SRecordInfo.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

namespace zel::cli {

namespace {

struct NamedWindow {
    QString name;
    SRecordWindow window;
};

const QList<NamedWindow>& windows() {
    static const QList<NamedWindow> list{
        {QStringLiteral("boot-master"), kBootMasterWindow},
        {QStringLiteral("boot-slave"), kBootSlaveWindow},
        {QStringLiteral("app"), kApplicationWindow},
    };
    return list;
}

struct SrecArguments {
    QString file;
    QString windowName;
    QString output;
    bool haveOutput = false;
    bool info = false;
};

// Fills `parsed`; an empty text on success, else the usage error.
QString parseArguments(const CommandLine& line, SrecArguments& parsed) {
    parsed.windowName = line.value(QStringLiteral("window"));
    parsed.output = line.value(QStringLiteral("o"));
    parsed.haveOutput = line.isSet(QStringLiteral("o"));
    parsed.info = line.isSet(QStringLiteral("info"));
    QString why;
    parsed.file = OneFile(line, false, QStringLiteral("FILE"), &why);
    if (parsed.file.isEmpty())
        return why;
    if (parsed.info == parsed.haveOutput)
        return QStringLiteral("give either -o IMAGE.bin or --info");
    if (parsed.haveOutput && parsed.output.isEmpty())
        return QStringLiteral("-o needs a file name");
    for (const NamedWindow& window : windows())
        if (window.name == parsed.windowName)
            return {};
    return QStringLiteral("--window must be boot-master, boot-slave or app");
}

SRecordWindow windowNamed(const QString& name) {
    for (const NamedWindow& window : windows())
        if (window.name == name)
            return window.window;
    return kApplicationWindow;
}

void printLine(const QString& line) {
    std::fputs((line + QLatin1Char('\n')).toLocal8Bit().constData(), stdout);
}

void printFileError(const QString& why) {
    if (!why.isEmpty())
        CliContext::printUsageError(QStringLiteral("srec: ") + why);
}

int printInfo(CliContext& context, const SrecArguments& parsed) {
    const SRecordLines read = ReadSRecordLines(parsed.file);
    if (!read.ok) {
        printFileError(read.error);
        context.messages().ShowMessage(parsed.windowName == QStringLiteral("app")
                                           ? MessageNoApplicationProgram
                                           : MessageNoWriteControlProgram);
        return ExitFailed;
    }
    const SRecordSummary summary = SummarizeSRecords(read.lines);
    for (size_t type = 0; type < summary.typeCounts.size(); ++type)
        if (summary.typeCounts[type] > 0)
            printLine(QStringLiteral("records S%1: %2")
                          .arg(QString::number(type, 16).toUpper())
                          .arg(summary.typeCounts[type]));
    if (summary.otherLines > 0)
        printLine(QStringLiteral("other lines: %1").arg(summary.otherLines));
    for (const SRecordRange& range : summary.ranges)
        printLine(QStringLiteral("range ") + FormatSRecordRange(range));
    for (const NamedWindow& window : windows())
        printLine(QStringLiteral("converts into %1: %2")
                      .arg(window.name, ConvertsInto(read.lines, window.window)
                                            ? QStringLiteral("yes")
                                            : QStringLiteral("no")));
    return ExitOk;
}

bool writeImage(const QString& path, const QByteArray& image) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
        file.write(image) == image.size() && file.commit())
        return true;
    CliContext::printUsageError(
        QStringLiteral("srec: cannot write %1: %2").arg(path, file.errorString()));
    return false;
}

int convert(CliContext& context, const SrecArguments& parsed) {
    SRecordImage images;
    const bool app = parsed.windowName == QStringLiteral("app");
    const bool loaded = app ? images.loadApplicationImage(parsed.file, context.messages())
                            : images.loadBootImageFrom(parsed.file, windowNamed(parsed.windowName),
                                                       context.messages());
    if (!loaded) {
        printFileError(images.lastFileError());
        return ExitFailed;
    }
    const QByteArray& image = app ? images.applicationImage() : images.bootImage();
    if (!writeImage(parsed.output, image))
        return ExitFailed;
    printLine(QStringLiteral("%1: %2 bytes").arg(parsed.output).arg(image.size()));
    return ExitOk;
}

int runSrec(CliContext& context, const CommandLine& line) {
    SrecArguments parsed;
    if (const QString error = parseArguments(line, parsed); !error.isEmpty())
        return UsageError(QStringLiteral("srec"), error);
    // The image written over its own S-record file would lose the source.
    if (parsed.haveOutput)
        if (const int refused = CheckOutputForCli(QStringLiteral("srec"), parsed.output,
                                                  {parsed.file}, QStringLiteral("nothing written")))
            return refused;
    if (!context.loadSettings(false))
        return ExitFailed;
    if (!CheckInputFile(context, QStringLiteral("srec"), parsed.file,
                        parsed.windowName == QStringLiteral("app") ? MessageNoApplicationProgram
                                                                   : MessageNoWriteControlProgram))
        return ExitFailed;
    return parsed.info ? printInfo(context, parsed) : convert(context, parsed);
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("srec"),
     .synopses = {QStringLiteral(
                      "srec FILE.mot [--window boot-master|boot-slave|app] -o IMAGE.bin"),
                  QStringLiteral("srec FILE.mot --info")},
     .description = QStringLiteral("Converts an S-record file into the memory image the CPU "
                                   "writer sends, or with --info counts its records, shows the "
                                   "address ranges and which windows it fits."),
     .options = {{{QStringLiteral("window")},
                  QStringLiteral("boot-master|boot-slave|app"),
                  QStringLiteral("the address window of the image"),
                  QStringLiteral("app")},
                 {{QStringLiteral("o"), QStringLiteral("output")},
                  QStringLiteral("IMAGE.bin"),
                  QStringLiteral("the image file to write (replaced only when complete)")},
                 {{QStringLiteral("info")},
                  {},
                  QStringLiteral("record counts, address ranges and the windows it fits")}},
     .run = &runSrec}};

} // namespace

} // namespace zel::cli
