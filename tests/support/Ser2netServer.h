#pragma once
// The serial device server ser2net run in the foreground for one test or benchmark: one raw
// TCP accepter and one RFC 2217 accepter on free loopback ports, both serving `device` (the
// pseudo-terminal of a simulator). Configured for low latency: TCP_NODELAY on its side and
// no character delay. Stopped (killed and reaped) by stop() or the destructor.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace zel::test {

class Ser2netServer {
public:
    Ser2netServer() = default;
    ~Ser2netServer();
    Ser2netServer(const Ser2netServer&) = delete;
    Ser2netServer& operator=(const Ser2netServer&) = delete;

    static bool isInstalled();

    // Starts ser2net and waits until it accepts connections; false with the reason.
    // `lineSettings` is ser2net's form of the line's default settings ("38400e81").
    bool start(const QString& device, QString* error,
               const QString& lineSettings = QStringLiteral("38400e81"));
    void stop();
    bool isRunning() const { return m_process.state() == QProcess::Running; }

    QString rawPortName() const;     // tcp://127.0.0.1:PORT
    QString rfc2217PortName() const; // rfc2217://127.0.0.1:PORT
    quint16 rawPort() const { return m_rawPort; }
    quint16 rfc2217Port() const { return m_rfc2217Port; }
    // Whether ser2net has the device open now: it opens it for each connection and closes
    // it a moment after the connection ends, refusing a new one meanwhile ("in use").
    bool holdsDevice() const;
    // What ser2net said on stdout and stderr so far.
    QString output();

private:
    bool writeConfig(const QString& device, const QString& lineSettings, QString* error);
    bool waitUntilListening(QString* error);
    static bool isListening(quint16 port);

    QTemporaryDir m_dir;
    QProcess m_process;
    quint16 m_rawPort = 0;
    quint16 m_rfc2217Port = 0;
    QString m_output;
    QString m_device;
};

// A loopback port nobody listens on now.
quint16 FreeLoopbackPort();

} // namespace zel::test
