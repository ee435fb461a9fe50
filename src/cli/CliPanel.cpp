// zelctl panel: scripted camera control through the operation panel's controller. Events
// run back to back; time passes only at wait: and at the end, where the run lasts until no
// panel timer is pending and no reply is awaited.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CliPanelScript.h"
#include "CommandLine.h"
#include "common/QtTimer.h"
#include "panel/PanelCommands.h"
#include "shell/MessageCatalog.h"

#include <QEventLoop>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>

namespace zel::cli {

namespace {

constexpr qint64 kMaxStdinBytes = 1 << 20;
constexpr int kIdlePollMs = 5;

struct PanelArguments {
    CameraAddress address;
    QStringList events;
};

void printLine(const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toLatin1().constData(), stdout);
    std::fflush(stdout);
}

QString parseArguments(const CommandLine& line, PanelArguments& parsed) {
    parsed.address = CameraAddress::from(line);
    parsed.events = line.positional();
    if (!parsed.address.complete())
        return QStringLiteral("--camera N and --remote N are required");
    // The CAM key's range (0 is every camera) and the REMOTE NO. box's range.
    if (const QString range = parsed.address.rangeError(0); !range.isEmpty())
        return range;
    if (parsed.events.isEmpty())
        return QStringLiteral("at least one EVENT is required");
    return {};
}

// "-" as the only event: the events are the whitespace-separated words of stdin.
QString readEventsFromStdin(QStringList& events) {
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return QStringLiteral("cannot read the events from stdin");
    const QByteArray bytes = in.read(kMaxStdinBytes + 1);
    if (bytes.size() > kMaxStdinBytes)
        return QStringLiteral("more than 1 MiB of events on stdin");
    const QString text = QString::fromUtf8(bytes);
    events = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    if (events.isEmpty())
        return QStringLiteral("no events on stdin");
    return {};
}

void runEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

void waitUntilIdle(const PanelCommands& panel) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&panel, &loop] {
        if (panel.isIdle())
            loop.quit();
    });
    poll.start(kIdlePollMs);
    if (!panel.isIdle())
        loop.exec();
}

int runScript(CliContext& context, const PanelArguments& parsed, const PanelScript& script) {
    CliLink link(context);
    if (!link.open())
        return ExitFailed;
    QtTimer pause, keyDown, textCtrl;
    PanelCommands panel(link.engine(), context.language(), context.messages(),
                        {pause, keyDown, textCtrl});
    panel.state().CameraNo = QString::number(parsed.address.cameraNo.toInt());
    panel.state().RemoteNo = QString::number(parsed.address.remoteNo.toInt());
    panel.load(context.settings().timeOutDspMs());
    panel.onCommandSent = [](const QString& data) { printLine(data); };
    panel.onPositionReport = [&panel] {
        const auto& box = panel.state().PositionText;
        printLine(
            QStringLiteral("PAN %1 TILT %2 ZOOM %3 D-ZOOM %4").arg(box[0], box[1], box[2], box[3]));
    };
    for (const PanelStep& step : script.steps) {
        if (step.waitMs >= 0)
            runEventsFor(step.waitMs);
        else
            step.apply(panel);
    }
    waitUntilIdle(panel);
    panel.onCommandSent = {};
    // The panel passes over a camera that does not answer; a script must not pass over
    // one that never answered at all.
    if (panel.framesAwaitingReply() > 0 && panel.repliesReceived() == 0) {
        CliContext::printUsageError(
            QStringLiteral("panel: no reply from camera %1").arg(panel.state().CameraNo));
        return ExitFailed;
    }
    return context.messages().anyShown() ? ExitFailed : ExitOk;
}

int usage(const QString& text) {
    return UsageError(QStringLiteral("panel"), text);
}

int runPanel(CliContext& context, const CommandLine& line) {
    PanelArguments parsed;
    QString error = parseArguments(line, parsed);
    if (error.isEmpty() && parsed.events == QStringList{QStringLiteral("-")})
        error = readEventsFromStdin(parsed.events);
    if (!error.isEmpty())
        return usage(error);
    if (!context.loadSettings(false))
        return ExitFailed;
    const PanelScript script = ParsePanelScript(parsed.events, context.settings().testMode());
    if (!script.error.isEmpty())
        return usage(script.error);
    return runScript(context, parsed, script);
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("panel"),
     .synopses = {QStringLiteral("panel --camera N --remote N EVENT..."),
                  QStringLiteral("panel --camera N --remote N -")},
     .description = QStringLiteral("Drives a camera as the operation panel does: the EVENTs run "
                                   "back to back, and the run lasts until no reply is awaited. "
                                   "Each command sent is printed as a line; - reads the events "
                                   "from stdin, separated by white space.\n\n") +
                    PanelEventReference(),
     .options = {CameraOption(QStringLiteral("N"),
                              QStringLiteral("camera number, 0 (every camera) to 255")),
                 RemoteOption()},
     .run = &runPanel}};

} // namespace

} // namespace zel::cli
