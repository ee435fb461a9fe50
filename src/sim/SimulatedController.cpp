#include "SimulatedController.h"

#include "CameraControllerSim.h"
#include "PtyHost.h"
#include "SimConfig.h"

namespace zel::sim {

SimulatedController::SimulatedController(QObject* parent)
    : SimulatedController(SimConfig{}, parent) {}

SimulatedController::SimulatedController(const SimConfig& config, QObject* parent)
    : QObject(parent),
      m_device(std::make_unique<CameraControllerSim>(config.cameraCount, config.seed)),
      m_host(std::make_unique<PtyHost>(*m_device)) {
    m_device->setFaultPlan(config.faults);
    m_host->setBitRate(config.bitRate);
}

SimulatedController::~SimulatedController() {
    m_host.reset(); // the host refers to the device
}

bool SimulatedController::start(QString* error) {
    return m_host->open(error);
}

QString SimulatedController::slavePath() const {
    return m_host->slavePath();
}

void SimulatedController::stop() {
    m_host->stop();
}

CameraControllerSim& SimulatedController::device() {
    return *m_device;
}

PtyHost& SimulatedController::host() {
    return *m_host;
}

} // namespace zel::sim
