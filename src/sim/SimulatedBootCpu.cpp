#include "SimulatedBootCpu.h"

#include "BootCpuSim.h"
#include "PtyHost.h"

namespace zel::sim {

SimulatedBootCpu::SimulatedBootCpu(const BootCpuFaults& faults, int bitRate, QObject* parent)
    : QObject(parent), m_device(std::make_unique<BootCpuSim>(faults)),
      m_host(std::make_unique<PtyHost>(*m_device)) {
    m_host->setBitsPerByte(BitsPerByte);
    m_host->setBitRate(bitRate);
}

SimulatedBootCpu::~SimulatedBootCpu() {
    m_host.reset(); // the host refers to the device
}

bool SimulatedBootCpu::start(QString* error) {
    return m_host->open(error);
}

QString SimulatedBootCpu::slavePath() const {
    return m_host->slavePath();
}

void SimulatedBootCpu::stop() {
    m_host->stop();
}

} // namespace zel::sim
