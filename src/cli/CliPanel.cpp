// zelctl panel: scripted camera control through the operation panel's controller. Events
// run back to back as they come; time passes only at wait: and at the end, where the run
// lasts until no panel timer is pending and no reply is awaited (CliPanelRun).
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CliPanelRun.h"
#include "CliPanelScript.h"
#include "CommandLine.h"
#include "panel/PanelSession.h"
#include "shell/MessageCatalog.h"

#include <cstdio>

namespace zel::cli {

namespace {

struct PanelArguments {
    CameraAddress address;
    QStringList events;
};

int usage(const QString& text) {
    return UsageError(QStringLiteral("panel"), text);
}

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

int runScript(CliContext& context, const PanelArguments& parsed, const PanelScript& script,
              bool fromStdin) {
    CliLink link(context);
    if (!link.open())
        return ExitFailed;
    PanelSession session(link.engine(), context.language(), context.settings(), context.messages());
    session.setAddress(parsed.address.cameraNo.toInt(), parsed.address.remoteNo.toInt());
    session.open();
    PanelCommands& panel = session.commands();
    panel.onCommandSent = [](const QString& data) { printLine(data); };
    panel.onPositionReport = [&panel] {
        const auto& box = panel.state().PositionText;
        printLine(
            QStringLiteral("PAN %1 TILT %2 ZOOM %3 D-ZOOM %4").arg(box[0], box[1], box[2], box[3]));
    };
    CliPanelRun run(context, link, session, context.settings().testMode());
    run.addSteps(script);
    if (fromStdin)
        run.readStdin();
    const int code = run.exec();
    panel.onCommandSent = {};
    panel.onPositionReport = {};
    return code;
}

int runPanel(CliContext& context, const CommandLine& line) {
    PanelArguments parsed;
    const QString error = parseArguments(line, parsed);
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
    {.name = QStringLiteral("panel"),
     .synopses = {QStringLiteral("panel --camera N --remote N EVENT..."),
                  QStringLiteral("panel --camera N --remote N -")},
     .description =
         QStringLiteral(
             "Drives a camera as the operation panel does: one line per frame sent (its command "
             "data in hex). Each frame goes out once the camera answered the one before; time "
             "passes only at wait: and at the end. With - the events come from stdin line by "
             "line as they arrive, until stdin ends. Whatever ends a run, a camera still moving "
             "is sent the stop first.\n\n") +
         PanelEventReference(),
     .options = {CameraOption(QStringLiteral("N"),
                              QStringLiteral("camera number, 0 (every camera) to 255")),
                 RemoteOption()},
     .run = &runPanel}};

} // namespace

} // namespace zel::cli
