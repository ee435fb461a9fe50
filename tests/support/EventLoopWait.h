#pragma once
// Waiting in tests while this thread's event loop runs (a simulator or a port in the same
// thread keeps working).
#include <functional>

namespace zel::test {

// Runs the event loop (sleeping between events) until `done` holds or `timeoutMs` passed;
// whether `done` holds at the end.
bool waitUntil(const std::function<bool()>& done, int timeoutMs);

// Runs the event loop for `ms`.
void runEventsFor(int ms);

} // namespace zel::test
