#pragma once
// The flash write of frmCpuWriter: the CPU's boot mode on a port of its own at 19200 8N1 on
// the same device as the shared link, which is closed while the writer works and reopened
// when the screen closes.
//
// Boot phase (receive mode 1, single bytes; only the first byte of each batch counts):
//   state 1  0x00 sent every 1 ms (up to 5120 times) until the CPU answers 0x00
//   state 2  0x55 sent: the CPU erases its flash, answers 0xAA (or 0xFF: erase error)
//   state 3  the 2050 boot-image bytes, each sent after the echo of the one before
//   state 4  the CPU answers 0xAA when the boot program runs; 2000 ms later block 0 goes
// Write phase (state 5, receive mode 2, frames): each block frame is answered by a reply
// frame; every batch is read 6 ms after it arrives. Code = block number: next block (after
// 2047 the write is complete); 0x1000: busy, wait on; 0x1001: flash write error.
// `TimerCpuWrite` (10 s) ends a write that makes no progress in states 2 to 5.
//
// Every wait is a timer (`pause`), never a blocking sleep: the UI keeps running.
#include "BootFrameParser.h"
#include "SRecordImage.h"

#include <QByteArray>
#include <QString>
#include <functional>

namespace zel {

class BytePort;
class LinkEngine;
class MessageSink;
class Settings;
class Timer;

class FlashWriter {
public:
    enum WriteStateValue {
        StateIdle = 0,
        StateBitRate = 1,
        StateErase = 2,
        StateBootProgram = 3,
        StateBootStart = 4,
        StateBlocks = 5,
    };
    enum ReceiveModeValue { ModeIgnore = 0, ModeBoot = 1, ModeFrames = 2 };

    static constexpr int kCpuBitRate = 19200;
    static constexpr int kTimerCpuWriteMs = 10000;
    static constexpr int kBitRateAttempts = 5120;
    static constexpr int kBitRatePauseMs = 1;
    static constexpr int kBootStartPauseMs = 2000;
    static constexpr int kReplyPauseMs = 6;
    static constexpr int kBootSteps = SRecordImage::kBootProgramSize / 128;          // 16
    static constexpr int kProgressMax = SRecordImage::kBootProgramSize + kBootSteps; // 2064
    static constexpr quint8 kMatchByte = 0x00;
    static constexpr quint8 kEraseByte = 0x55;
    static constexpr quint8 kReadyByte = 0xAA;
    static constexpr quint8 kEraseErrorByte = 0xFF;

    // `port` is the writer's own port; `timerCpuWrite` the 10-s time-out; `pause` the
    // timer of the documented waits.
    FlashWriter(BytePort& port, Timer& timerCpuWrite, Timer& pause, Settings& settings,
                MessageSink& messages);
    ~FlashWriter();
    FlashWriter(const FlashWriter&) = delete;
    FlashWriter& operator=(const FlashWriter&) = delete;

    // The shared link: closed when a write starts, reopened when the screen closes. None for
    // zelctl.
    void setSharedLink(LinkEngine* engine) { m_sharedLink = engine; }

    // The write command. Loads the boot image of `cpuType` from the program folder and the
    // application image of `applicationPath`, takes the line and starts the bit-rate
    // matching. False (message shown, controls enabled) when it did not start.
    bool startWrite(const QString& cpuType, const QString& applicationPath);

    // Closing the screen: refused with message 26 while a write runs; otherwise the
    // writer's port is closed and the shared link reopened.
    bool requestClose();

    // Stops a running write at the next point where no frame is left half answered: at once
    // before the blocks, after the acknowledgement of the block in flight during them (the
    // last block's acknowledgement still completes the write). onFinished(false) follows,
    // without a message.
    void stopAfterBlock();
    // Blocks the CPU acknowledged in the write under way or last ended.
    int blocksAcknowledged() const { return m_blocksAcknowledged; }

    // A write runs from the write command until it ends (the controls are disabled).
    bool isRunning() const { return !m_controlsEnabled; }
    bool controlsEnabled() const { return m_controlsEnabled; }

    int WriteState() const { return m_writeState; }
    int ReceiveMode() const { return m_receiveMode; }
    int BootIndex() const { return m_bootIndex; }
    int BlockNo() const { return m_blockNo; }
    int ProgressValue() const { return m_progressValue; }
    int ProgressMax() const { return m_progressMax; }
    int bitRateAttempts() const { return m_attempts; }
    const SRecordImage& images() const { return m_images; }
    // Why the CPU port could not be opened (device and cause), for stderr.
    QString lastOpenError() const { return m_lastOpenError; }
    // The system's words when the port went away during the last write; empty otherwise.
    QString lastPortLoss() const { return m_lastPortLoss; }

    // Something shown changed: state, progress or the controls.
    std::function<void()> onChanged;
    // A started write ended: true after block 2047 was acknowledged.
    std::function<void(bool completed)> onFinished;

private:
    enum class Pause { None, BitRate, BootStart, Reply };

    void setControls(bool enabled);
    bool preparePort();
    void beginBitRateMatching();
    void sendMatchByte();
    void onPauseElapsed();
    void afterBitRatePause();
    void onReceived(const QByteArray& bytes);
    void onPortLost();
    void handleBootByte(quint8 byte);
    void handleEchoByte(quint8 byte);
    void startFirstBlock();
    void parseReplies();
    bool handleReplyContent(const QByteArray& content);
    void onTimerCpuWrite();
    bool sendByte(quint8 byte);
    bool sendBlockFrame(int block);
    void startPause(Pause pause, int ms);
    void startTimerCpuWrite();
    void stopTimerCpuWrite();
    void setWriteState(int state);
    void setProgress(int value);
    void fail(int messageNumber);
    void Abort();
    void finish(bool completed);
    void changed();

    BytePort& m_port;
    Timer& m_timerCpuWrite;
    Timer& m_pause;
    Settings& m_settings;
    MessageSink& m_messages;
    LinkEngine* m_sharedLink = nullptr;
    SRecordImage m_images;
    BootFrameParser m_parser;
    QByteArray m_pending; // bytes received during the reply wait
    QString m_lastOpenError;
    QString m_lastPortLoss;
    Pause m_pauseKind = Pause::None;
    int m_writeState = StateIdle;
    int m_receiveMode = ModeIgnore;
    int m_bootIndex = 0;
    int m_blockNo = 0;
    int m_attempts = 0;
    int m_progressValue = 0;
    int m_progressMax = kProgressMax;
    bool m_timerSwitching = true;
    bool m_stopRequested = false;
    int m_blocksAcknowledged = 0;
    bool m_controlsEnabled = true;
};

} // namespace zel
