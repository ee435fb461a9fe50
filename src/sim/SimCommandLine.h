#pragma once
// The zelsim command line: which line to serve, how many cameras, pacing and faults.
#include "BootCpuFaults.h"
#include "SimConfig.h"

#include <QString>
#include <QStringList>

namespace zel::sim {

struct SimOptions {
    SimConfig config;
    QString device;         // empty: a new pseudo-terminal
    int deviceRate = 38400; // line rate of --device
    bool verbose = false;
    bool seedGiven = false;
    bool rateGiven = false;
    // --boot-cpu: the CPU in boot mode (8N1) instead of the controller.
    bool bootCpu = false;
    BootCpuFaults bootFaults;
    QString saveImage;       // --save-image: the flash image when the write completes
    QString bootFilesFolder; // --write-boot-files: write stand-in boot programs, then end
};

class SimCommandLine {
public:
    enum class Outcome { Run, Help, Error };
    static constexpr int DefaultDeviceRate = 38400;

    // `arguments` as QCoreApplication::arguments(), program name first.
    Outcome parse(const QStringList& arguments);
    const SimOptions& options() const { return m_options; }
    QString error() const { return m_error; }
    static QString helpText();

private:
    bool applyFault(const QString& option, const QString& value);
    bool applyBootOption(const QString& option, const QString& value);
    bool applyFlag(const QString& option);
    bool checkCombination();
    bool parseNumber(const QString& option, const QString& value, qint64 low, qint64 high,
                     qint64* out);

    SimOptions m_options;
    QString m_error;
};

} // namespace zel::sim
