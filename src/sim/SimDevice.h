#pragma once
// A simulated device behind a line: the bytes it received (with the time, any monotonic
// clock in ms) in, its answers out.
#include "SimOutput.h"

#include <QByteArray>
#include <QList>

namespace zel::sim {

class SimDevice {
public:
    virtual ~SimDevice() = default;
    virtual QList<SimOutput> receive(const QByteArray& bytes, qint64 nowMs) = 0;
};

} // namespace zel::sim
