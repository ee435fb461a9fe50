#include "SerialBytePort.h"

#include "SerialPortLock.h"
#include "shell/ToolTexts.h"

#include <QFileInfo>
#include <QMetaObject>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zel {

namespace {

bool isPseudoTerminal(const QString& device) {
    return device.startsWith(QStringLiteral("/dev/pts/")) ||
           device.startsWith(QStringLiteral("/dev/ttyp"));
}

// Whether the current user may read and write the device node.
bool deviceAccessible(const QString& device) {
#ifdef Q_OS_UNIX
    return ::access(QFile::encodeName(device).constData(), R_OK | W_OK) == 0;
#else
    Q_UNUSED(device);
    return true;
#endif
}

} // namespace

SerialBytePort::SerialBytePort() {
    QObject::connect(&m_port, &QSerialPort::readyRead, &m_port, [this] { onReadyRead(); });
    QObject::connect(&m_port, &QSerialPort::bytesWritten, &m_port, [this](qint64 bytes) {
        if (onBytesWritten)
            onBytesWritten(bytes);
    });
    QObject::connect(&m_port, &QSerialPort::errorOccurred, &m_port,
                     [this](QSerialPort::SerialPortError error) { onError(error); });
}

SerialBytePort::~SerialBytePort() {
    close();
}

void SerialBytePort::applyLineSettings(const PortLineSettings& settings,
                                       QSerialPort::Parity parity) {
    // Set before open(): the settings are then applied in one go as the device opens.
    m_port.setPortName(settings.device);
    m_port.setBaudRate(settings.baudRate);
    m_port.setParity(parity);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
}

bool SerialBytePort::open(const PortLineSettings& settings, QString* why) {
    close();
    m_device = settings.device;
    m_languageIndex = settings.languageIndex;
    m_warning.clear();
    const auto parity = settings.evenParity ? QSerialPort::EvenParity : QSerialPort::NoParity;
    applyLineSettings(settings, parity);
    bool opened = m_port.open(QIODevice::ReadWrite);
    if (!opened && parity != QSerialPort::NoParity && isPseudoTerminal(m_device) &&
        m_port.error() == QSerialPort::UnsupportedOperationError) {
        // A pseudo-terminal always runs 8N1; the line works without the parity bit.
        m_port.clearError();
        applyLineSettings(settings, QSerialPort::NoParity);
        opened = m_port.open(QIODevice::ReadWrite);
        if (opened)
            m_warning = m_device + QStringLiteral(": pseudo-terminal ignores even parity");
    }
    if (!opened) {
        if (why)
            *why = openFailureReason();
        m_port.clearError();
        return false;
    }
    ++m_openCount;
    return true;
}

QString SerialBytePort::openFailureReason() const {
    const int language = m_languageIndex;
    return toolText(language, ToolText::PortCannotOpen).arg(m_device, openFailureCause(language));
}

QString SerialBytePort::openFailureCause(int language) const {
    switch (m_port.error()) {
    case QSerialPort::DeviceNotFoundError:
        return toolText(language, ToolText::PortNoSuchDevice);
    case QSerialPort::PermissionError:
        if (QFileInfo::exists(m_device) && deviceAccessible(m_device)) {
            if (const auto holder = FindSerialLockHolder(m_device))
                return toolText(language, ToolText::PortHeldBy)
                    .arg(DescribeSerialLockHolder(*holder));
            return toolText(language, ToolText::PortHeldByOther).arg(m_port.errorString());
        }
        return toolText(language, ToolText::PortNoPermission).arg(m_port.errorString());
    default:
        return m_port.errorString();
    }
}

void SerialBytePort::close() {
    if (m_port.isOpen())
        m_port.close();
}

bool SerialBytePort::isOpen() const {
    return m_port.isOpen();
}

bool SerialBytePort::write(const QByteArray& bytes) {
    if (!m_port.isOpen())
        return false;
    if (m_port.write(bytes) != bytes.size())
        return false;
    m_port.flush(); // hand the frame to the driver now, not on the next loop turn
    return true;
}

void SerialBytePort::discardInput() {
    if (m_port.isOpen())
        m_port.clear(QSerialPort::Input);
}

void SerialBytePort::onReadyRead() {
    const QByteArray bytes = m_port.readAll();
    if (!bytes.isEmpty() && onReceived)
        onReceived(bytes);
}

void SerialBytePort::onError(QSerialPort::SerialPortError error) {
    const bool lost = error == QSerialPort::ReadError || error == QSerialPort::ResourceError ||
                      error == QSerialPort::WriteError;
    if (!lost || !m_port.isOpen())
        return; // NoError at open, time-outs and the like
    // A hung-up device keeps reporting the error until it is closed: close at once, then
    // tell the engine from the event loop, not from inside QSerialPort's handler.
    const QString why = m_device + QStringLiteral(": ") + m_port.errorString();
    m_port.close();
    m_port.clearError();
    const unsigned openCount = m_openCount;
    QMetaObject::invokeMethod(
        &m_port,
        [this, why, openCount] {
            if (openCount == m_openCount && !m_port.isOpen() && onLost)
                onLost(why);
        },
        Qt::QueuedConnection);
}

} // namespace zel
