// zelctl scan: which cameras of the line answer, by a read that changes nothing in them.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CliTexts.h"
#include "CommandLine.h"
#include "common/MessageNumber.h"
#include "common/NumberRange.h"
#include "site/CameraList.h"
#include "site/CameraProbe.h"

#include <QTimer>
#include <cstdio>

namespace zel::cli {

namespace {

// A silent camera is the expected answer of a scan: its time-out is not reported.
class ScanMessageSink : public MessageSink {
public:
    explicit ScanMessageSink(MessageSink& next) : m_next(next) {}
    int ShowMessage(int number, const QString& extra = {}) override {
        return number == MessageTimeout ? ButtonOk : m_next.ShowMessage(number, extra);
    }

private:
    MessageSink& m_next;
};

struct ScanArguments {
    CameraAddress address;
    QList<int> cameras;
};

// Fills `parsed`; an empty text on success, else the usage error.
QString parseScanArguments(const CommandLine& line, ScanArguments& parsed) {
    parsed.address = CameraAddress::from(line);
    if (!line.positional().isEmpty())
        return QStringLiteral("unexpected argument '%1'").arg(line.positional().first());
    if (!parsed.address.haveRemote)
        return QStringLiteral("--remote N is required");
    QString why;
    const auto cameras = ParseCameraList(line.value(QStringLiteral("camera")), &why);
    if (!cameras)
        return QStringLiteral("--camera: ") + why;
    parsed.cameras = *cameras;
    return {};
}

TransferProgress scanProgress(const CliContext& context, qsizetype done, qsizetype total) {
    TransferProgress progress;
    progress.phase = cliText(context.language(), CliText::ScanPhase);
    progress.done = int(done);
    progress.total = int(total);
    progress.unit = ProgressUnit::Cameras;
    return progress;
}

QString answerLine(int camera, const ProbeAnswer& answer) {
    QString line =
        QStringLiteral("%1  %2 %3").arg(camera, 6).arg(answer.kind, -9).arg(answer.title);
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line + QLatin1Char('\n');
}

int runScan(CliContext& context, const CommandLine& line) {
    ScanArguments parsed;
    if (const QString error = parseScanArguments(line, parsed); !error.isEmpty())
        return UsageError(QStringLiteral("scan"), error);
    if (!context.loadSettings(false) ||
        !NumberRange::checkAddress(context.messages(), context.language(), parsed.address.remoteNo,
                                   QString::number(parsed.cameras.first())))
        return ExitFailed;
    ScanMessageSink messages(context.messages());
    CliLink link(context, &messages);
    if (!link.open())
        return ExitFailed;
    CameraProbe probe(link.engine(), context.settings().languageIndex());
    QString found = cliText(context.language(), CliText::ScanHeader) + QLatin1Char('\n');
    int answering = 0;
    qsizetype next = 0;
    QObject anchor;
    std::function<void()> probeNext = [&] {
        if (next >= parsed.cameras.size())
            return link.finish(answering > 0 ? ExitOk : ExitFailed);
        const int camera = parsed.cameras[next];
        context.showProgress(scanProgress(context, next, parsed.cameras.size()));
        if (!probe.probe(camera, parsed.address.remoteNo))
            link.finish(ExitFailed);
    };
    probe.onAnswer = [&](int camera, const ProbeAnswer& answer) {
        ++next;
        if (answer.answered) {
            ++answering;
            found += answerLine(camera, answer);
        }
        // After a time-out the engine resets the link once this call returns.
        QTimer::singleShot(0, &anchor, probeNext);
    };
    QTimer::singleShot(0, &anchor, probeNext);
    const int exitCode = link.exec();
    context.showProgress(scanProgress(context, next, parsed.cameras.size()));
    context.finishProgress();
    found += cliText(context.language(), CliText::ScanCount).arg(answering).arg(next) +
             QLatin1Char('\n');
    std::fputs(found.toUtf8().constData(), stdout);
    return exitCode;
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("scan"),
     .synopses = {QStringLiteral("scan --remote N [--camera LIST]")},
     .description = QStringLiteral("Finds which cameras of the line answer, by a read that "
                                   "changes nothing in them; prints one line per answering "
                                   "camera and a count."),
     .options = {{{QStringLiteral("camera")},
                  QStringLiteral("LIST"),
                  QStringLiteral("the cameras to ask, such as 1-8,12"),
                  QStringLiteral("1-255")},
                 RemoteOption()},
     .run = &runScan}};

} // namespace

} // namespace zel::cli
