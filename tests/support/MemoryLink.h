#pragma once
// The link engine on an in-memory port with manual timers: the rig of the unit tests of the
// engine and of the screens that use it. The log fills only once recording starts.
#include "LinkRig.h"
#include "ManualTimer.h"
#include "MemoryBytePort.h"
#include "RecordingSink.h"

namespace zel::test {

struct MemoryLink : LinkRig<MemoryBytePort, ManualTimer, RecordingSink> {
    // Points the settings at a test device and opens the port; false when it did not open.
    bool openTestPort() { return openOn(QStringLiteral("/dev/ttyTEST")); }
    // Command data of every frame written so far, as hex.
    QStringList sentData() const { return CommandDataHex(port.written); }
};

} // namespace zel::test
