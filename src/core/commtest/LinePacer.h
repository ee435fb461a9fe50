#pragma once
// Paces frames that await no reply (camera 0): the next may go only once the previous frame
// has left the port (the port reports the bytes written) and the line has had the time to
// carry it (11 bit times per byte at the bit rate). A frame that has not left within
// kDrainLimitMs after its line time counts as a stuck line.
#include <QtGlobal>
#include <functional>

namespace zel {

class BytePort;
class Timer;

class LinePacer {
public:
    static constexpr int kBitsPerByte = 11; // start, 8 data, parity, stop
    static constexpr int kDrainLimitMs = 2000;

    LinePacer(BytePort& port, Timer& timer);
    ~LinePacer();
    LinePacer(const LinePacer&) = delete;
    LinePacer& operator=(const LinePacer&) = delete;

    // Before the write: written bytes from here on belong to the new frame.
    void beginFrame();
    // After the write of `bytes` at `bitRate`: the line is busy until both conditions hold.
    void frameSent(qint64 bytes, int bitRate);
    void cancel(); // forget the frame; no callback follows
    bool isBusy() const { return m_busy; }

    static int lineTimeMs(qint64 bytes, int bitRate);

    std::function<void()> onFree;  // the frame has left and its line time is over
    std::function<void()> onStuck; // the frame did not leave the port

private:
    void onWritten(qint64 bytes);
    void onTimer();
    void finishIfFree();

    BytePort& m_port;
    Timer& m_timer;
    qint64 m_outstanding = 0;
    bool m_counting = false;
    bool m_busy = false;
    bool m_lineTimeOver = false;
};

} // namespace zel
