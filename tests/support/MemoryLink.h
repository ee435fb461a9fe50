#pragma once
// The link engine on an in-memory port with manual timers: the rig of the unit tests of the
// engine and of the screens that use it. The log fills only once recording starts.
#include "ManualTimer.h"
#include "MemoryBytePort.h"
#include "RecordingSink.h"
#include "link/CommLogStore.h"
#include "link/LinkEngine.h"
#include "shell/Settings.h"

namespace zel::test {

struct MemoryLink {
    // Points the settings at a test device and opens the port; false when it did not open.
    bool openTestPort();

    MemoryBytePort port;
    ManualTimer timerMenu;
    ManualTimer timerReTry;
    Settings settings;
    RecordingSink sink;
    CommLogStore log;
    LinkEngine engine{port, timerMenu, timerReTry, settings, sink, &log};
};

} // namespace zel::test
