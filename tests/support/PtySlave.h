#pragma once
// The program's end of a simulator's pseudo-terminal, read and written with plain
// open()/read()/write()/poll() so tests check the host independently of QSerialPort.
// Reads keep the event loop running, so a host in the same thread can answer.
#include <QByteArray>
#include <QList>
#include <QString>

namespace zel::test {

class PtySlave {
public:
    PtySlave() = default;
    ~PtySlave();
    PtySlave(const PtySlave&) = delete;
    PtySlave& operator=(const PtySlave&) = delete;

    bool open(const QString& path); // raw mode, non-blocking
    void close();
    bool isOpen() const { return m_fd >= 0; }

    bool write(const QByteArray& bytes);
    // Reads until `count` bytes came or `timeoutMs` passed; what came.
    QByteArray read(qsizetype count, int timeoutMs);
    // Reads everything that arrives until the line stays quiet for `quietMs`.
    QByteArray readUntilQuiet(int quietMs, int timeoutMs = 5000);
    // Reads on a thread of its own with blocking poll()/read() while this thread runs its
    // event loop undisturbed, so timings measure the host, not the reader. `elapsedNs`
    // gets, per byte, the time since the call began (QElapsedTimer) at which it was read.
    QByteArray readOnThread(qsizetype count, int timeoutMs, QList<qint64>* elapsedNs = nullptr);
    // Waits for the far end to hang up (read gives EIO/0 or poll reports POLLHUP).
    bool waitForHangUp(int timeoutMs);

private:
    enum class Poll { Data, Quiet, HangUp };
    Poll pollOnce(int waitMs);

    int m_fd = -1;
};

} // namespace zel::test
