#pragma once
// Writes the link state past the engine, for tests of reply handlers with texts the wire
// cannot make (not hex, lower case) or a screen code no frame set.
#include "link/LinkEngine.h"

namespace zel {

struct LinkStateWriter {
    static LinkState& of(LinkEngine& engine) { return engine.m_state; }
};

} // namespace zel
