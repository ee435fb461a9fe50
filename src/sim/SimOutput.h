#pragma once
#include <QByteArray>

namespace zel::sim {

// A piece of the device's answer: bytes to send once `gapBeforeMs` has passed after the
// previous piece went out.
struct SimOutput {
    QByteArray bytes;
    int gapBeforeMs = 0;
    bool operator==(const SimOutput&) const = default;
};

} // namespace zel::sim
