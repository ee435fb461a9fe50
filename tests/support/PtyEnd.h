#pragma once
// One end of a pseudo-terminal, read and written with plain read()/write()/poll() so tests
// check a simulator host independently of QSerialPort. Reads keep the event loop running,
// so a host in the same thread can answer. PtySlave and PtyMaster open the two ends.
#include <QByteArray>
#include <QElapsedTimer>
#include <QList>

namespace zel::test {

class PtyEnd {
public:
    PtyEnd(const PtyEnd&) = delete;
    PtyEnd& operator=(const PtyEnd&) = delete;

    void close();
    bool isOpen() const { return m_fd >= 0; }

    // Runs the event loop between pieces unless `runEvents` is false (the bytes then sit
    // unread at the far end until the program's loop next runs).
    bool write(const QByteArray& bytes, bool runEvents = true);
    // Reads until `count` bytes came or `timeoutMs` passed; what came.
    QByteArray read(qsizetype count, int timeoutMs);
    // Reads everything that arrives until the line stays quiet for `quietMs`.
    QByteArray readUntilQuiet(int quietMs, int timeoutMs = 5000);
    // Reads on a thread of its own with blocking poll()/read() while this thread runs its
    // event loop undisturbed, so timings measure the host, not the reader. `elapsedNs`
    // gets, per byte, the time on `since` (started before the request was written, so no
    // byte can seem early), or without it the time since the call began, at which it was
    // read.
    QByteArray readOnThread(qsizetype count, int timeoutMs, QList<qint64>* elapsedNs = nullptr,
                            const QElapsedTimer* since = nullptr);
    // Bytes waiting in this end's input queue (shared by every descriptor of the same end),
    // or -1; reads nothing.
    qsizetype queuedInput() const;
    // Waits for the far end to hang up (read gives EIO/0 or poll reports POLLHUP).
    bool waitForHangUp(int timeoutMs);

protected:
    PtyEnd() = default;
    ~PtyEnd();

    int m_fd = -1;

private:
    enum class Poll { Data, Quiet, HangUp };
    Poll pollOnce(int waitMs);
};

} // namespace zel::test
