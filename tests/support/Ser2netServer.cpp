#include "Ser2netServer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

namespace zel::test {

namespace {

constexpr int kStartWaitMs = 10000;

QString ser2netProgram() {
    return QStandardPaths::findExecutable(
        QStringLiteral("ser2net"),
        {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin"), QStringLiteral("/sbin")});
}

QString connection(const QString& name, const QString& accepter, const QString& device,
                   const QString& lineSettings) {
    return QStringLiteral("connection: &%1\n"
                          "    accepter: %2\n"
                          "    connector: serialdev,%3,%4,local\n"
                          "    options:\n"
                          "      chardelay: false\n")
        .arg(name, accepter, device, lineSettings);
}

} // namespace

quint16 FreeLoopbackPort() {
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

Ser2netServer::~Ser2netServer() {
    stop();
}

bool Ser2netServer::isInstalled() {
    return !ser2netProgram().isEmpty();
}

bool Ser2netServer::start(const QString& device, QString* error, const QString& lineSettings) {
    stop();
    const QString program = ser2netProgram();
    if (program.isEmpty()) {
        *error = QStringLiteral("ser2net is not installed");
        return false;
    }
    if (!writeConfig(device, lineSettings, error))
        return false;
    m_device = QFileInfo(device).canonicalFilePath();
    m_output.clear();
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    // Ends with this process even when a test dies without cleaning up.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    // Foreground (-n -d), no lock files of its own (-u), its pid file in our folder.
    m_process.start(program,
                    {QStringLiteral("-n"), QStringLiteral("-d"), QStringLiteral("-u"),
                     QStringLiteral("-P"), m_dir.filePath(QStringLiteral("pid")),
                     QStringLiteral("-c"), m_dir.filePath(QStringLiteral("ser2net.yaml"))});
    if (!m_process.waitForStarted(kStartWaitMs)) {
        *error = QStringLiteral("ser2net did not start: ") + m_process.errorString();
        return false;
    }
    return waitUntilListening(error);
}

bool Ser2netServer::writeConfig(const QString& device, const QString& lineSettings,
                                QString* error) {
    m_rawPort = FreeLoopbackPort();
    m_rfc2217Port = FreeLoopbackPort();
    while (m_rfc2217Port == m_rawPort)
        m_rfc2217Port = FreeLoopbackPort();
    const QString text =
        connection(QStringLiteral("raw"),
                   QStringLiteral("tcp(nodelay),127.0.0.1,%1").arg(m_rawPort), device,
                   lineSettings) +
        connection(QStringLiteral("telnet"),
                   QStringLiteral("telnet(rfc2217),tcp(nodelay),127.0.0.1,%1").arg(m_rfc2217Port),
                   device, lineSettings);
    QFile file(m_dir.filePath(QStringLiteral("ser2net.yaml")));
    if (!m_dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0) {
        *error = QStringLiteral("cannot write the ser2net configuration");
        return false;
    }
    return true;
}

// Waits for both accepters to appear as listening sockets in the kernel's table. A probe
// connection would make ser2net open the device, and its close is not immediate: for a moment
// it would read the simulator's replies meant for the next client.
bool Ser2netServer::waitUntilListening(QString* error) {
    QElapsedTimer clock;
    clock.start();
    for (const quint16 port : {m_rawPort, m_rfc2217Port}) {
        while (!isListening(port)) {
            if (m_process.state() != QProcess::Running || clock.elapsed() > kStartWaitMs) {
                *error = QStringLiteral("ser2net does not listen on port %1: %2")
                             .arg(port)
                             .arg(output());
                stop();
                return false;
            }
            QThread::msleep(20);
        }
    }
    return true;
}

// A line of /proc/net/tcp: "sl local_address rem_address st ...", addresses as HEX:PORT in hex,
// state 0A for LISTEN.
bool Ser2netServer::isListening(quint16 port) {
    QFile table(QStringLiteral("/proc/net/tcp"));
    if (!table.open(QIODevice::ReadOnly))
        return false;
    const QByteArray wanted = ':' + QByteArray::number(port, 16).toUpper().rightJustified(4, '0');
    for (const QByteArray& line : table.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() > 3 && fields[1].endsWith(wanted) && fields[3] == "0A")
            return true;
    }
    return false;
}

bool Ser2netServer::holdsDevice() const {
    if (!isRunning())
        return false;
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(m_process.processId()));
    for (const QFileInfo& fd : fds.entryInfoList(QDir::Files | QDir::System))
        if (fd.symLinkTarget() == m_device)
            return true;
    return false;
}

void Ser2netServer::stop() {
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill(); // QProcess signals its own child's pid, never a group
    m_process.waitForFinished(kStartWaitMs);
    output();
}

QString Ser2netServer::rawPortName() const {
    return QStringLiteral("tcp://127.0.0.1:%1").arg(m_rawPort);
}

QString Ser2netServer::rfc2217PortName() const {
    return QStringLiteral("rfc2217://127.0.0.1:%1").arg(m_rfc2217Port);
}

QString Ser2netServer::output() {
    m_output += QString::fromLocal8Bit(m_process.readAll());
    return m_output;
}

} // namespace zel::test
