// zelctl panel: scripted camera control through the operation panel's controller. Events
// run back to back; time passes only at wait: and at the end, where the run lasts until no
// panel timer is pending and no reply is awaited.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CliPanelScript.h"
#include "backup/NumberBox.h"
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
constexpr qsizetype kNumberDigits = 9;

struct PanelArguments {
    CameraAddress address;
    QStringList events;
};

int usage(const QString& text) {
    CliContext::printUsageError(QStringLiteral("panel: ") + text);
    return ExitUsage;
}

void printLine(const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toLatin1().constData(), stdout);
    std::fflush(stdout);
}

QString parseArguments(const QStringList& args, PanelArguments& parsed) {
    for (qsizetype i = 0; i < args.size();) {
        const OptionMatch match = parsed.address.take(args, i);
        if (match == OptionMatch::MissingValue)
            return args[i] + QStringLiteral(" needs a value");
        if (match == OptionMatch::Taken)
            continue;
        const QString& arg = args[i++];
        if (arg.startsWith(QStringLiteral("--")))
            return QStringLiteral("unknown option '%1'").arg(arg);
        parsed.events.append(arg);
    }
    if (!parsed.address.complete())
        return QStringLiteral("--camera N and --remote N are required");
    if (!IsDecimalDigits(parsed.address.cameraNo, kNumberDigits) ||
        !IsDecimalDigits(parsed.address.remoteNo, kNumberDigits))
        return QStringLiteral("--camera and --remote take decimal numbers");
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

// The CAM key's range and the REMOTE NO. box's range, with their messages.
bool addressInRange(CliContext& context, const CameraAddress& address) {
    const auto inRange = [&context](const QString& text, int low, int high) {
        return NumberBox::check(context.messages(), context.language(), text, low, high);
    };
    return inRange(address.cameraNo, 0, PanelCommands::kCameraMax) &&
           inRange(address.remoteNo, PanelCommands::kRemoteMin, PanelCommands::kRemoteMax);
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

int runPanel(CliContext& context, const QStringList& args) {
    PanelArguments parsed;
    QString error = parseArguments(args, parsed);
    if (error.isEmpty() && parsed.events == QStringList{QStringLiteral("-")})
        error = readEventsFromStdin(parsed.events);
    if (!error.isEmpty())
        return usage(error);
    if (!context.loadSettings(false))
        return ExitFailed;
    const PanelScript script = ParsePanelScript(parsed.events, context.settings().testMode());
    if (!script.error.isEmpty())
        return usage(script.error);
    if (!addressInRange(context, parsed.address))
        return ExitFailed;
    return runScript(context, parsed, script);
}

const CommandRegistrar registrar{
    {QStringLiteral("panel"),
     QStringLiteral("panel --camera N --remote N EVENT... (or - to read the events from stdin)\n"
                    "    press:K release:K keydown:K keyup:K click:NAME type:DIGITS wait:MS\n"
                    "    mode:M pan-speed:V tilt-speed:V zoom-speed:V focus-speed:V test-pan:V\n"
                    "    test-tilt:V test-zoom:V test-focus:V preset-key:on|off autopan-way:N\n"
                    "    autopan-turn:N position:P,T,Z,D"),
     &runPanel}};

} // namespace

} // namespace zel::cli
