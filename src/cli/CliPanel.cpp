// zelctl panel: scripted camera control through the operation panel's controller. Events
// run back to back as they come; time passes only at wait: and at the end, where the run
// lasts until no panel timer is pending and no reply is awaited (CliPanelRun).
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CliPanelRun.h"
#include "CliPanelScript.h"
#include "common/QtTimer.h"
#include "panel/PanelCommands.h"
#include "shell/MessageCatalog.h"

#include <cstdio>

namespace zel::cli {

namespace {

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
    // The CAM key's range (0 is every camera) and the REMOTE NO. box's range.
    if (const QString range = parsed.address.rangeError(0); !range.isEmpty())
        return range;
    if (parsed.events.isEmpty())
        return QStringLiteral("at least one EVENT is required");
    return {};
}

int runScript(CliContext& context, const PanelArguments& parsed, const PanelScript& script,
              bool fromStdin) {
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
    CliPanelRun run(context, link, panel, context.settings().testMode());
    run.addSteps(script);
    if (fromStdin)
        run.readStdin();
    const int code = run.exec();
    panel.onCommandSent = {};
    panel.onPositionReport = {};
    return code;
}

int runPanel(CliContext& context, const QStringList& args) {
    PanelArguments parsed;
    const QString error = parseArguments(args, parsed);
    if (!error.isEmpty())
        return usage(error);
    if (!context.loadSettings(false))
        return ExitFailed;
    // "-" as the only event: the events come from stdin, line by line as they arrive.
    const bool fromStdin = parsed.events == QStringList{QStringLiteral("-")};
    const PanelScript script =
        fromStdin ? PanelScript{} : ParsePanelScript(parsed.events, context.settings().testMode());
    if (!script.error.isEmpty())
        return usage(script.error);
    return runScript(context, parsed, script, fromStdin);
}

const CommandRegistrar registrar{
    {QStringLiteral("panel"),
     QStringLiteral("panel --camera N --remote N EVENT... (or -: events from stdin as they come)\n"
                    "    press:K release:K keydown:K keyup:K click:NAME type:DIGITS wait:MS\n"
                    "    mode:M pan-speed:V tilt-speed:V zoom-speed:V focus-speed:V test-pan:V\n"
                    "    test-tilt:V test-zoom:V test-focus:V preset-key:on|off autopan-way:N\n"
                    "    autopan-turn:N position:P,T,Z,D"),
     &runPanel}};

} // namespace

} // namespace zel::cli
