#pragma once
// Fault rules of the simulated controller as the tests write them.
#include "FaultPlan.h"

namespace zel::test {

// `kind` for frames whose first data byte is `command`; `number` (block or title) and
// `remaining` (uses) -1 for any and unlimited.
inline sim::FaultRule faultRule(sim::FaultKind kind, int command, int number = -1,
                                int remaining = -1) {
    sim::FaultRule rule;
    rule.kind = kind;
    rule.command = command;
    rule.number = number;
    rule.remaining = remaining;
    return rule;
}

} // namespace zel::test
