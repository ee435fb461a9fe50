#include "FlashWriter.h"

#include "BootFrame.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/Timer.h"
#include "link/BytePort.h"
#include "link/LinkEngine.h"
#include "link/PortDevice.h"
#include "shell/Settings.h"

#include <utility>

namespace zel {

namespace {

// Boot bytes done, in steps of 128, rounded to the nearest step (halves to even).
int bootProgress(int bootIndex) {
    const int steps = bootIndex / 128;
    const int rest = bootIndex % 128;
    if (rest > 64 || (rest == 64 && (steps & 1)))
        return steps + 1;
    return steps;
}

} // namespace

FlashWriter::FlashWriter(BytePort& port, Timer& timerCpuWrite, Timer& pause, Settings& settings,
                         MessageSink& messages)
    : m_port(port), m_timerCpuWrite(timerCpuWrite), m_pause(pause), m_settings(settings),
      m_messages(messages) {
    m_port.onReceived = [this](const QByteArray& bytes) { onReceived(bytes); };
    m_port.onLost = [this](const QString& why) {
        m_lastPortLoss = why;
        onPortLost();
    };
    m_timerCpuWrite.setCallback([this] { onTimerCpuWrite(); });
    m_pause.setCallback([this] { onPauseElapsed(); });
}

FlashWriter::~FlashWriter() {
    m_timerCpuWrite.stop();
    m_pause.stop();
    m_timerCpuWrite.setCallback({});
    m_pause.setCallback({});
    m_port.onReceived = {};
    m_port.onLost = {};
}

// ---- Write command and closing ------------------------------------------------------------

bool FlashWriter::startWrite(const QString& cpuType, const QString& applicationPath) {
    if (isRunning())
        return false; // the controls are disabled: no second write on top of this one
    m_timerSwitching = true;
    m_stopRequested = false;
    m_blocksAcknowledged = 0;
    setControls(false);
    if (applicationPath.isEmpty()) {
        m_messages.ShowMessage(MessageSelectApplicationFile);
        setControls(true);
        return false;
    }
    if (!m_images.loadBootImage(cpuType, m_settings.ApplicationFolder, m_messages) ||
        !m_images.loadApplicationImage(applicationPath, m_messages) ||
        !m_images.applicationLoaded()) {
        setControls(true);
        return false;
    }
    if (m_sharedLink)
        m_sharedLink->CloseCommPort(); // the CPU port takes the same device
    if (!preparePort()) {
        setControls(true);
        return false;
    }
    m_progressMax = kProgressMax;
    setProgress(0);
    setWriteState(StateBitRate);
    beginBitRateMatching();
    return true;
}

bool FlashWriter::preparePort() {
    m_receiveMode = ModeBoot;
    m_parser.reset();
    m_pending.clear();
    if (m_port.isOpen())
        return true;
    PortLineSettings line;
    line.device = ResolvePortDevice(m_settings);
    line.baudRate = kCpuBitRate;
    line.evenParity = false; // 8N1
    line.connectTimeoutMs = m_settings.connectWaitMs();
    QString why;
    if (!m_port.open(line, &why)) {
        m_lastOpenError = why.isEmpty() ? line.device : why;
        m_messages.ShowMessage(MessagePortOpenError);
        return false;
    }
    m_lastOpenError.clear();
    m_lastPortLoss.clear();
    return true;
}

void FlashWriter::stopAfterBlock() {
    if (!isRunning())
        return;
    m_stopRequested = true;
    if (m_writeState == StateBlocks)
        return; // the acknowledgement of the block in flight ends the write
    Abort();
    finish(false);
}

bool FlashWriter::requestClose() {
    if (!m_controlsEnabled) {
        m_messages.ShowMessage(MessageInProgramming);
        return false;
    }
    m_port.close();
    if (m_sharedLink) {
        m_sharedLink->SetCommPortSettings();
        m_sharedLink->OpenCommPort();
    }
    return true;
}

// ---- Boot phase ---------------------------------------------------------------------------

void FlashWriter::beginBitRateMatching() {
    m_attempts = 0;
    sendMatchByte();
}

void FlashWriter::sendMatchByte() {
    if (!sendByte(kMatchByte)) {
        fail(MessagePortOpenError);
        return;
    }
    ++m_attempts;
    startPause(Pause::BitRate, kBitRatePauseMs); // the receive handler may answer meanwhile
}

void FlashWriter::afterBitRatePause() {
    if (m_writeState != StateBitRate) {
        // The CPU answered: it now erases its flash.
        if (m_writeState == StateErase && !sendByte(kEraseByte))
            fail(MessagePortOpenError);
        return;
    }
    if (m_attempts >= kBitRateAttempts) {
        fail(MessageCpuNotConnected);
        return;
    }
    sendMatchByte();
}

void FlashWriter::onReceived(const QByteArray& bytes) {
    if (bytes.isEmpty())
        return;
    if (m_receiveMode == ModeBoot) {
        // Input during the wait before the first block is flushed when the block goes out.
        if (m_pauseKind != Pause::BootStart)
            handleBootByte(quint8(bytes[0])); // only the first byte of a batch counts
    } else if (m_receiveMode == ModeFrames) {
        m_pending.append(bytes);
        if (m_pauseKind != Pause::Reply)
            startPause(Pause::Reply, kReplyPauseMs);
    }
}

void FlashWriter::handleBootByte(quint8 byte) {
    switch (m_writeState) {
    case StateBitRate:
        stopTimerCpuWrite();
        if (byte == kMatchByte)
            setWriteState(StateErase);
        break;
    case StateErase:
        if (byte == kReadyByte) {
            stopTimerCpuWrite();
            m_bootIndex = 0;
            if (!sendByte(quint8(m_images.bootImage().at(0)))) {
                fail(MessagePortOpenError);
                return;
            }
            setWriteState(StateBootProgram);
        } else if (byte == kEraseErrorByte) {
            stopTimerCpuWrite();
            fail(MessageFlashEraseError);
        }
        break;
    case StateBootProgram:
        handleEchoByte(byte);
        break;
    case StateBootStart:
        if (byte == kReadyByte) {
            stopTimerCpuWrite();
            startPause(Pause::BootStart, kBootStartPauseMs);
        }
        break;
    default:
        break;
    }
}

void FlashWriter::handleEchoByte(quint8 byte) {
    const QByteArray& boot = m_images.bootImage();
    if (m_bootIndex >= boot.size() || byte != quint8(boot[m_bootIndex]))
        return; // not the echo: the time-out ends the write
    stopTimerCpuWrite();
    ++m_bootIndex;
    setProgress(bootProgress(m_bootIndex));
    if (m_bootIndex == boot.size()) {
        setWriteState(StateBootStart);
        startTimerCpuWrite();
        return;
    }
    if (!sendByte(quint8(boot[m_bootIndex])))
        fail(MessagePortOpenError);
}

// ---- Write phase --------------------------------------------------------------------------

void FlashWriter::startFirstBlock() {
    m_blockNo = 0;
    if (!sendBlockFrame(m_blockNo)) {
        fail(MessagePortOpenError);
        return;
    }
    setWriteState(StateBlocks);
    m_receiveMode = ModeFrames;
    m_parser.reset();
}

void FlashWriter::parseReplies() {
    const QByteArray bytes = std::exchange(m_pending, {});
    for (const char byte : bytes) {
        const BootFrameParser::Result result = m_parser.feed(quint8(byte));
        if (result == BootFrameParser::Result::Error) {
            stopTimerCpuWrite();
            m_parser.reset();
            fail(MessageReceiveError); // the rest of this batch is dropped
            return;
        }
        if (result == BootFrameParser::Result::Frame && !handleReplyContent(m_parser.content()))
            return;
    }
}

bool FlashWriter::handleReplyContent(const QByteArray& content) {
    if (content.size() < 4 || quint8(content[0]) != BootFrame::ReplyKind ||
        quint8(content[1]) != BootFrame::ReplyLength)
        return true; // not a reply of the boot program
    const int code = quint8(content[2]) * 256 + quint8(content[3]);
    if (code == BootFrame::CodeBusy)
        return true; // still writing; the time-out keeps running
    if (code == BootFrame::CodeWriteError || code >= BootFrame::BlockCount) {
        // A code that is neither a block number nor a known answer would push the progress
        // past its end; the write ends as after a bad frame.
        stopTimerCpuWrite();
        fail(code == BootFrame::CodeWriteError ? MessageFlashWriteError : MessageReceiveError);
        return false;
    }
    setProgress(code + kBootSteps);
    if (code != m_blockNo)
        return true; // another block's acknowledgement: only the progress moves
    stopTimerCpuWrite();
    m_blocksAcknowledged = m_blockNo + 1;
    if (m_stopRequested && m_blockNo < BootFrame::BlockCount - 1) {
        Abort();
        finish(false);
        return false;
    }
    if (m_blockNo == BootFrame::BlockCount - 1) {
        m_receiveMode = ModeIgnore;
        setWriteState(StateIdle);
        setControls(true);
        finish(true);
        return false;
    }
    ++m_blockNo;
    if (!sendBlockFrame(m_blockNo)) {
        fail(MessagePortOpenError);
        return false;
    }
    return true;
}

// ---- Timers and the port ------------------------------------------------------------------

void FlashWriter::startPause(Pause pause, int ms) {
    m_pauseKind = pause;
    m_pause.start(ms);
}

void FlashWriter::onPauseElapsed() {
    m_pause.stop();
    switch (std::exchange(m_pauseKind, Pause::None)) {
    case Pause::BitRate:
        afterBitRatePause();
        break;
    case Pause::BootStart:
        startFirstBlock();
        break;
    case Pause::Reply:
        parseReplies();
        break;
    case Pause::None:
        break;
    }
}

void FlashWriter::onTimerCpuWrite() {
    m_timerCpuWrite.stop();
    if (m_writeState >= StateErase && m_writeState <= StateBlocks)
        fail(MessageCpuCommunicationError);
}

void FlashWriter::onPortLost() {
    if (isRunning() && m_writeState != StateIdle)
        fail(MessagePortOpenError); // nothing more can be sent
}

void FlashWriter::startTimerCpuWrite() {
    if (m_timerSwitching)
        m_timerCpuWrite.start(kTimerCpuWriteMs);
}

void FlashWriter::stopTimerCpuWrite() {
    if (m_timerSwitching)
        m_timerCpuWrite.stop();
}

bool FlashWriter::sendByte(quint8 byte) {
    if (!m_port.isOpen())
        return false;
    m_port.discardInput(); // unread input is dropped
    if (!m_port.write(QByteArray(1, char(byte))))
        return false;
    startTimerCpuWrite();
    return true;
}

bool FlashWriter::sendBlockFrame(int block) {
    if (!m_port.isOpen())
        return false;
    const QByteArray frame = EncodeBootFrame(BlockFrameContent(block, m_images.applicationImage()));
    m_timerSwitching = false;
    m_port.discardInput();
    const bool sent = m_port.write(frame);
    m_timerSwitching = true;
    if (sent)
        startTimerCpuWrite();
    return sent;
}

// ---- State --------------------------------------------------------------------------------

// Every failure: the write returns to idle first, so nothing that arrives while the message
// is up can move it on, then the message.
void FlashWriter::fail(int messageNumber) {
    Abort();
    m_messages.ShowMessage(messageNumber);
    finish(false);
}

void FlashWriter::Abort() {
    m_timerCpuWrite.stop();
    m_pause.stop();
    m_pauseKind = Pause::None;
    m_pending.clear();
    m_parser.reset();
    m_receiveMode = ModeIgnore; // a late reply must not send the next block
    m_writeState = StateIdle;
    m_progressMax = kProgressMax;
    m_progressValue = 0;
    setControls(true);
}

void FlashWriter::finish(bool completed) {
    if (onFinished)
        onFinished(completed);
}

void FlashWriter::setControls(bool enabled) {
    m_controlsEnabled = enabled;
    changed();
}

void FlashWriter::setWriteState(int state) {
    m_writeState = state;
    changed();
}

void FlashWriter::setProgress(int value) {
    if (value == m_progressValue)
        return;
    m_progressValue = value;
    changed();
}

void FlashWriter::changed() {
    if (onChanged)
        onChanged();
}

} // namespace zel
