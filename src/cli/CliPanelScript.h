#pragma once
// The events of `zelctl panel`, read from the arguments or stdin and checked before anything
// is sent: each becomes a step that feeds the panel controller, or a wait.
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zel {
class PanelCommands;
}

namespace zel::cli {

struct PanelStep {
    int waitMs = -1; // wait:MS; -1 for an event
    std::function<void(PanelCommands& panel)> apply;
};

struct PanelScript {
    std::vector<PanelStep> steps;
    QString error; // the usage error of the first bad event; empty when all are good
};

// `testMode`: the TEST-mode events are allowed ([SOFT] Mode=1).
PanelScript ParsePanelScript(const QStringList& events, bool testMode);

// Every event and the names each takes, for --help.
QString PanelEventReference();

} // namespace zel::cli
