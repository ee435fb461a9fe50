#pragma once
// A simulated controller on a pseudo-terminal and the link engine on the real serial port
// opened on its slave, with the message sink and the communication log the screens use.
#include "RecordingSink.h"
#include "SimConfig.h"
#include "SimulatedController.h"
#include "common/QtTimer.h"
#include "link/CommLogStore.h"
#include "link/LinkEngine.h"
#include "link/SerialBytePort.h"
#include "shell/Settings.h"

#include <QStringList>

namespace zel::test {

class PtyLink {
public:
    explicit PtyLink(const sim::SimConfig& config = {}) : sim(config) {}

    // Starts the simulator, opens the port of `settings` on its slave and starts the log;
    // false with the reason in `error`.
    bool open(QString* error);

    // Frames the engine sent, as the log holds them.
    QStringList framesSent() const;

    sim::SimulatedController sim;
    SerialBytePort port;
    QtTimer timerMenu;
    QtTimer timerReTry;
    Settings settings;
    RecordingSink sink;
    CommLogStore log;
    LinkEngine engine{port, timerMenu, timerReTry, settings, sink, &log};
};

} // namespace zel::test
