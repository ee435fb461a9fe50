#pragma once
// A simulated CPU in boot mode on a pseudo-terminal (8N1), ready for a program to open:
// used by `zelsim --boot-cpu`, the integration tests and the benchmark.
#include "BootCpuFaults.h"

#include <QObject>
#include <QString>
#include <memory>

namespace zel::sim {

class BootCpuSim;
class PtyHost;

class SimulatedBootCpu : public QObject {
public:
    static constexpr int BitsPerByte = 10; // 8N1

    explicit SimulatedBootCpu(const BootCpuFaults& faults = {}, int bitRate = 0,
                              QObject* parent = nullptr);
    ~SimulatedBootCpu() override;

    bool start(QString* error); // opens the pty; false with a reason
    QString slavePath() const;
    void stop();

    BootCpuSim& device() { return *m_device; }
    PtyHost& host() { return *m_host; }

private:
    std::unique_ptr<BootCpuSim> m_device;
    std::unique_ptr<PtyHost> m_host;
};

} // namespace zel::sim
