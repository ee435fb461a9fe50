#include "PtyEnd.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <atomic>
#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <thread>
#include <unistd.h>

namespace zel::test {

namespace {
constexpr int SliceMs = 1; // event-loop turn between polls
}

PtyEnd::~PtyEnd() {
    close();
}

void PtyEnd::close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool PtyEnd::write(const QByteArray& bytes, bool runEvents) {
    qsizetype done = 0;
    while (m_fd >= 0 && done < bytes.size()) {
        const ssize_t put = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (put > 0)
            done += put;
        else if (put < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (runEvents)
            QCoreApplication::processEvents();
    }
    return done == bytes.size();
}

PtyEnd::Poll PtyEnd::pollOnce(int waitMs) {
    QCoreApplication::processEvents();
    pollfd watch{m_fd, POLLIN, 0};
    const int ready = ::poll(&watch, 1, waitMs);
    if (ready <= 0)
        return Poll::Quiet;
    if (watch.revents & POLLIN)
        return Poll::Data;
    return (watch.revents & (POLLHUP | POLLERR)) ? Poll::HangUp : Poll::Quiet;
}

QByteArray PtyEnd::read(qsizetype count, int timeoutMs) {
    QByteArray got;
    QElapsedTimer clock;
    clock.start();
    while (m_fd >= 0 && got.size() < count && clock.elapsed() < timeoutMs) {
        if (pollOnce(SliceMs) != Poll::Data)
            continue;
        char chunk[512];
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n > 0)
            got.append(chunk, n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
    }
    return got;
}

QByteArray PtyEnd::readUntilQuiet(int quietMs, int timeoutMs) {
    QByteArray got;
    QElapsedTimer total;
    total.start();
    QElapsedTimer quiet;
    quiet.start();
    while (m_fd >= 0 && quiet.elapsed() < quietMs && total.elapsed() < timeoutMs) {
        if (pollOnce(SliceMs) != Poll::Data)
            continue;
        char chunk[512];
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n <= 0)
            break;
        got.append(chunk, n);
        quiet.restart();
    }
    return got;
}

QByteArray PtyEnd::readOnThread(qsizetype count, int timeoutMs, QList<qint64>* elapsedNs,
                                const QElapsedTimer* since) {
    QByteArray got;
    QList<qint64> arrivals;
    std::atomic<bool> done = false;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    QElapsedTimer timeout;
    timeout.start();
    const QElapsedTimer& clock = since ? *since : timeout;
    std::thread reader([&] {
        while (got.size() < count && timeout.elapsed() < timeoutMs) {
            pollfd watch{m_fd, POLLIN, 0};
            if (::poll(&watch, 1, 10) <= 0 || !(watch.revents & POLLIN))
                continue;
            char chunk[512];
            const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
            if (n <= 0)
                break;
            const qint64 at = clock.nsecsElapsed();
            for (ssize_t i = 0; i < n; ++i)
                arrivals.append(at);
            got.append(chunk, n);
        }
        done = true;
        dispatcher->wakeUp();
    });
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    reader.join();
    if (elapsedNs)
        *elapsedNs = arrivals;
    return got;
}

qsizetype PtyEnd::queuedInput() const {
    int count = 0;
    return m_fd >= 0 && ::ioctl(m_fd, FIONREAD, &count) == 0 ? count : -1;
}

bool PtyEnd::waitForHangUp(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    while (m_fd >= 0 && clock.elapsed() < timeoutMs) {
        const Poll state = pollOnce(SliceMs);
        if (state == Poll::HangUp)
            return true;
        if (state != Poll::Data)
            continue;
        char chunk[512];
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n == 0 || (n < 0 && errno == EIO))
            return true;
    }
    return false;
}

} // namespace zel::test
