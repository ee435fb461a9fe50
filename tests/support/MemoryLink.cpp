#include "MemoryLink.h"

namespace zel::test {

bool MemoryLink::openTestPort() {
    settings.PortOverride = QStringLiteral("/dev/ttyTEST");
    engine.ResetLinkState();
    engine.SetCommPortSettings();
    return engine.OpenCommPort();
}

} // namespace zel::test
