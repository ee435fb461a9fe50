#include "PtyHost.h"

#include <QSocketNotifier>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace zel::sim {

namespace {
constexpr int ReadChunk = 4096;
constexpr int HangUpRetryMs = 20; // read pause after EIO (no slave open), instead of spinning
} // namespace

PtyHost::PtyHost(SimDevice& device, QObject* parent) : QObject(parent), m_driver(device, this) {
    m_driver.writeBytes = [this](const QByteArray& bytes) { write(bytes); };
}

PtyHost::~PtyHost() {
    stop();
}

#ifdef Q_OS_UNIX

bool PtyHost::open(QString* error) {
    auto failed = [&](const char* step) {
        const QString why = QStringLiteral("%1: %2").arg(QLatin1String(step),
                                                         QString::fromLocal8Bit(strerror(errno)));
        stop();
        if (error)
            *error = why;
        return false;
    };
    if (isOpen())
        return true;
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return failed("posix_openpt");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return failed("grantpt/unlockpt");
    const char* name = ::ptsname(m_master);
    if (!name)
        return failed("ptsname");
    m_slavePath = QString::fromLocal8Bit(name);
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    m_slaveKeeper = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    if (m_slaveKeeper < 0)
        return failed("open slave");
    termios raw{};
    if (::tcgetattr(m_slaveKeeper, &raw) != 0)
        return failed("tcgetattr");
    ::cfmakeraw(&raw);
    if (::tcsetattr(m_slaveKeeper, TCSANOW, &raw) != 0)
        return failed("tcsetattr");
    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyHost::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyHost::onWritable);
    return true;
}

void PtyHost::stop() {
    m_driver.reset();
    delete m_readNotifier;
    m_readNotifier = nullptr;
    delete m_writeNotifier;
    m_writeNotifier = nullptr;
    m_backlog.clear();
    if (m_slaveKeeper >= 0)
        ::close(m_slaveKeeper);
    m_slaveKeeper = -1;
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}

void PtyHost::onReadable() {
    char chunk[ReadChunk];
    for (;;) {
        const ssize_t got = ::read(m_master, chunk, sizeof chunk);
        if (got > 0) {
            m_bytesReceived += got;
            m_driver.bytesArrived(QByteArray(chunk, got));
            if (!isOpen())
                return;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && errno == EIO)
            pauseReading(); // every slave descriptor is closed
        return;
    }
}

void PtyHost::pauseReading() {
    m_readNotifier->setEnabled(false);
    QTimer::singleShot(HangUpRetryMs, this, [this] {
        if (m_readNotifier)
            m_readNotifier->setEnabled(true);
    });
}

void PtyHost::dropLineInFlight() {
    m_driver.reset();
    m_backlog.clear();
    if (m_slaveKeeper >= 0)
        ::tcflush(m_slaveKeeper, TCIOFLUSH);
}

void PtyHost::write(const QByteArray& bytes) {
    if (!isOpen())
        return;
    if (m_backlog.size() + bytes.size() > MaxBacklog)
        return; // nobody reads the line: answers fall on the floor, as on a cable
    m_backlog.append(bytes);
    flushBacklog();
}

void PtyHost::flushBacklog() {
    while (!m_backlog.isEmpty()) {
        const ssize_t put = ::write(m_master, m_backlog.constData(), size_t(m_backlog.size()));
        if (put > 0) {
            m_bytesSent += put;
            m_backlog.remove(0, put);
            continue;
        }
        if (put < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: the slave's input queue is full; wait until it drains
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_backlog.isEmpty());
}

void PtyHost::onWritable() {
    flushBacklog();
}

#else // no pseudo-terminals on this platform

bool PtyHost::open(QString* error) {
    if (error)
        *error = QStringLiteral("pseudo-terminals are not available on this platform");
    return false;
}

void PtyHost::stop() {
    m_driver.reset();
}
void PtyHost::onReadable() {}
void PtyHost::onWritable() {}
void PtyHost::write(const QByteArray&) {}
void PtyHost::flushBacklog() {}
void PtyHost::pauseReading() {}

#endif

} // namespace zel::sim
