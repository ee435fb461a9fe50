#pragma once
// A simulated controller on a pseudo-terminal and the link engine on the real serial port
// opened on its slave, with the message sink and the communication log the screens use.
#include "LinkRig.h"
#include "RecordingSink.h"
#include "SimConfig.h"
#include "SimulatedController.h"
#include "common/QtTimer.h"
#include "link/SerialBytePort.h"

namespace zel::test {

// First base: the simulator outlives the port opened on its slave.
struct PtySimulator {
    explicit PtySimulator(const sim::SimConfig& config) : sim(config) {}
    sim::SimulatedController sim;
};

struct PtyLink : PtySimulator, LinkRig<SerialBytePort, QtTimer, RecordingSink> {
    explicit PtyLink(const sim::SimConfig& config = {}) : PtySimulator(config) {}

    // Starts the simulator, opens the port of `settings` on its slave and starts the log;
    // false with the reason in `error`.
    bool open(QString* error);

    // Frames the engine sent, as the log holds them.
    QStringList framesSent() const;
    // Their command data, as hex.
    QStringList sentData() const { return CommandDataHex(framesSent()); }
};

} // namespace zel::test
