#pragma once
// A whole simulated camera controller on a pseudo-terminal, ready for a program to open:
// the camera controller simulator on the master side of a pty. Used by `zel --simulate`,
// the integration tests and the benchmarks.
#include <QObject>
#include <QString>
#include <memory>

namespace zel::sim {

class CameraControllerSim;
class PtyHost;
struct SimConfig;

class SimulatedController : public QObject {
public:
    explicit SimulatedController(QObject* parent = nullptr); // default config
    SimulatedController(const SimConfig& config, QObject* parent = nullptr);
    ~SimulatedController() override;

    bool start(QString* error); // opens the pty; false with a reason
    QString slavePath() const;  // the device path to open as a serial port
    void stop();                // hang up (as a pulled cable)

    CameraControllerSim& device();
    PtyHost& host();

private:
    std::unique_ptr<CameraControllerSim> m_device;
    std::unique_ptr<PtyHost> m_host;
};

} // namespace zel::sim
