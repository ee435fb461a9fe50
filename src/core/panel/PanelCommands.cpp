#include "PanelCommands.h"

#include "PanelCommandData.h"
#include "PanelKeyActions.h"
#include "PositionReply.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/NumberRange.h"
#include "common/Timer.h"
#include "link/FrameCodec.h"
#include "link/LinkEngine.h"
#include "shell/MessageCatalog.h"

#include <algorithm>
#include <span>

namespace zel {

using namespace panel;

namespace {

const QString kTrue = QStringLiteral("True");
const QString kFalse = QStringLiteral("False");
// What each movement key sets in the four direction fields (nullptr: left as it is).
struct Move {
    int code;
    const char* pan;
    const char* tilt;
    const char* zoom;
    const char* focus;
};

constexpr Move kMoves[] = {
    {PtzUpRight, "01", "01", nullptr, nullptr},   {PtzRight, "01", nullptr, nullptr, nullptr},
    {PtzDownRight, "01", "10", nullptr, nullptr}, {PtzDown, nullptr, "10", nullptr, nullptr},
    {PtzDownLeft, "10", "10", nullptr, nullptr},  {PtzLeft, "10", nullptr, nullptr, nullptr},
    {PtzUpLeft, "10", "01", nullptr, nullptr},    {PtzUp, nullptr, "01", nullptr, nullptr},
    {PtzTele, nullptr, nullptr, "01", nullptr},   {PtzWide, nullptr, nullptr, "10", nullptr},
    {PtzFar, nullptr, nullptr, nullptr, "01"},    {PtzNear, nullptr, nullptr, nullptr, "10"},
    {PtzAf, nullptr, nullptr, nullptr, "11"},
};

// ExpectedReplyKind of NOW: its command code "15" read as a decimal number.
constexpr int kPositionReplyKind = 15;

} // namespace

PanelCommands::PanelCommands(LinkEngine& engine, const LanguageTables& language,
                             MessageSink& messages, Timers timers)
    : m_engine(engine), m_language(language), m_messages(messages), m_timers(timers),
      m_gate(timers.pause), m_entry(timers.textCtrl, messages, language),
      m_keyboard(*this, timers.keyDown), m_outbox(engine, *this) {
    m_outbox.onSent = [this](const PanelOutbox::Frame& frame) {
        if (m_engine.state().ScreenCode == ScreenPanel)
            ++m_framesAwaitingReply;
        if (onCommandSent)
            onCommandSent(frame.data);
    };
    m_timers.keyDown.setCallback([this] { m_keyboard.keyDownTimerFired(); });
    m_timers.textCtrl.setCallback([this] { post([this] { m_entry.clearTimerFired(); }); });
    m_entry.onChanged = [this] { changed(); };
    m_entry.onFocusAndSelect = [this] {
        if (onBoxRefused)
            onBoxRefused(PanelBox::Entry, 0);
    };
}

PanelCommands::~PanelCommands() {
    // Whoever listened may be gone already; the release still goes out.
    onFocusEntryBox = {};
    onBoxRefused = {};
    onStateChanged = {};
    onCommandSent = {};
    onPositionReport = {};
    m_entry.onChanged = {};
    m_entry.onFocusAndSelect = {};
    unload();
    m_timers.keyDown.setCallback({});
    m_timers.textCtrl.setCallback({});
}

void PanelCommands::load(int entryClearMs) {
    m_gate.clear();
    m_keyboard.stopTimer();
    m_keyboard.releaseAll();
    m_entry.StopEntryClearTimer();
    m_entry.setClearInterval(entryClearMs);
    const QString cameraNo = m_state.CameraNo;
    const QString remoteNo = m_state.RemoteNo;
    m_state = PanelState{};
    m_state.CameraNo = cameraNo; // design values of the number boxes
    m_state.RemoteNo = remoteNo;
    m_state.PanelReady = true;
    changed();
}

void PanelCommands::unload() {
    if (!m_state.PanelReady)
        return;
    m_gate.clear();
    m_keyboard.stopTimer();
    m_entry.StopEntryClearTimer();
    releaseIfMoving();
    m_state.PanelReady = false;
    // The engine must never call back a panel that is gone; a stop still queued goes out.
    m_outbox.abandon();
}

bool PanelCommands::stopNow() {
    m_gate.clear();
    m_keyboard.stopTimer();
    m_keyboard.releaseAll();
    m_state.LastHeldKey = KeyNone;
    const bool moving = mayBeMoving();
    releaseIfMoving();
    return moving;
}

bool PanelCommands::keyHandlingPending() const {
    return !m_gate.isIdle() || m_timers.keyDown.isActive();
}

bool PanelCommands::isIdle() const {
    return m_gate.isIdle() && !m_timers.keyDown.isActive() && !m_timers.textCtrl.isActive() &&
           m_outbox.isEmpty() && m_engine.state().ScreenCode != ScreenPanel;
}

// ---- Send path ----------------------------------------------------------------------------

void PanelCommands::SendPanelCommand(const QString& data, const QString& request,
                                     const QString& code) {
    if (!m_state.PanelReady)
        return;
    if (!kAnyCameraNoRange.contains(m_state.CameraNo) || !kRemoteNoRange.contains(m_state.RemoteNo))
        return;
    // Sent now, after the panel frame awaiting its answer, or (a stop, while another screen's
    // transaction is in flight) as soon as the link is free; anything else is dropped.
    const CommSendRecord record{m_state.CameraNo, m_state.RemoteNo, request, QStringLiteral("0"),
                                QString::number(ScreenPanel)};
    if (m_outbox.submit({record, data, request == kTrue ? code.toInt() : 0}))
        m_state.StopPending = false;
}

std::optional<SpeedBytes> PanelCommands::speedBytes() const {
    constexpr int kAccelerationOff = 0x80;
    const PanelState& s = m_state;
    switch (s.SpeedMode) {
    case ModeNormal:
        return SpeedBytes{s.PanSpeed, s.TiltSpeed, s.ZoomSpeed, s.FocusSpeed};
    case ModeStep:
        return SpeedBytes{0, 0, s.ZoomSpeed, s.FocusSpeed};
    case ModeTest:
        return SpeedBytes{s.TestSpeedValue[TestPan], s.TestSpeedValue[TestTilt],
                          s.TestSpeedValue[TestZoom], s.TestSpeedValue[TestFocus]};
    case ModeAccelOff:
        return SpeedBytes{kAccelerationOff, kAccelerationOff, s.ZoomSpeed, s.FocusSpeed};
    default:
        return std::nullopt;
    }
}

void PanelCommands::SendPtzCommand(int ptzCode) {
    PanelState& s = m_state;
    if (ptzCode == PtzRelease) {
        s.StopPending = true; // the caller has cleared the released fields
    } else {
        const auto move = std::find_if(std::begin(kMoves), std::end(kMoves),
                                       [ptzCode](const Move& m) { return m.code == ptzCode; });
        if (move == std::end(kMoves))
            return; // 8 and unknown codes send nothing
        for (auto [field, bits] : {std::pair{&s.PanBits, move->pan},
                                   {&s.TiltBits, move->tilt},
                                   {&s.ZoomBits, move->zoom},
                                   {&s.FocusBits, move->focus}})
            if (bits)
                *field = QLatin1String(bits);
    }
    SendPanelCommand(MoveData(s.FocusBits, s.ZoomBits, s.PanBits, s.TiltBits, speedBytes()), kFalse,
                     CodeText(CodeMove));
}

void PanelCommands::FocusEntryBox() {
    if (onFocusEntryBox)
        onFocusEntryBox();
    m_gate.pause(kFocusPauseMs);
}

bool PanelCommands::mayBeMoving() const {
    return m_state.isMoving() || m_outbox.cameraMayMove();
}

void PanelCommands::releaseIfMoving() {
    if (!mayBeMoving())
        return;
    m_state.clearDirections();
    SendPtzCommand(PtzRelease);
}

// ---- Replies ------------------------------------------------------------------------------

void PanelCommands::replyComplete() {
    // Taken now: while the panel pauses, another screen may use the link state.
    ++m_repliesReceived;
    const QString reply = m_engine.state().ReceiveBuffer;
    const int kind = m_engine.state().ExpectedReplyKind;
    m_outbox.sendNext(); // the next frame made meanwhile goes out at once
    post([this, reply, kind] { handleReply(reply, kind); });
}

void PanelCommands::replyAbandoned() {
    m_outbox.sendNext();
}

void PanelCommands::Get_CommControl() {
    handleReply(m_engine.state().ReceiveBuffer, m_engine.state().ExpectedReplyKind);
}

void PanelCommands::handleReply(const QString& reply, int expectedKind) {
    if (reply == kReplyNack) {
        m_messages.ShowMessage(MessageNack);
    } else if (reply == kReplyBusy) {
        m_messages.ShowMessage(MessageBusy); // the panel does not repeat
    } else if (expectedKind == 0) {
        if (reply != kReplyAck) {
            m_messages.ShowMessage(MessageReceiveError);
        } else if (m_state.StopPending) {
            m_state.StopPending = false;
            m_state.clearDirections();
            SendPtzCommand(PtzRelease);
        }
    } else if (!IsDataReply(reply.toUpper())) {
        m_messages.ShowMessage(MessageReceiveError);
    } else if (!ReplyChecksumOk(reply)) {
        m_messages.ShowMessage(MessageReceiveError);
    } else if (expectedKind == kPositionReplyKind) {
        ParsePositionReply(reply);
    }
}

void PanelCommands::ParsePositionReply(const QString& reply) {
    const auto fields = ParsePositionFields(reply);
    if (!fields) {
        m_messages.ShowMessage(MessageReceiveError);
        return;
    }
    for (int box = 0; box < FieldCount; ++box) {
        const std::optional<int> value = (*fields)[size_t(box)];
        m_state.PositionText[size_t(box)] = QString::number(value.value_or(0));
        m_state.PositionValue[size_t(box)] = value.value_or(0);
        if (!value)
            m_messages.ShowMessage(MessageReceiveError);
    }
    changed();
    if (onPositionReport)
        onPositionReport();
}

// ---- Events -------------------------------------------------------------------------------

void PanelCommands::pressMoveKey(int ptzCode) {
    post([this, ptzCode] { SendPtzCommand(ptzCode); });
}

void PanelCommands::releaseMoveKey(int ptzCode) {
    post([this, ptzCode] {
        if (ptzCode >= PtzUpRight && ptzCode <= PtzUp)
            m_state.PanBits = m_state.TiltBits = kFieldStop;
        else
            m_state.ZoomBits = m_state.FocusBits = kFieldStop;
        SendPtzCommand(PtzRelease);
        FocusEntryBox();
    });
}

void PanelCommands::click(PanelButton button) {
    post([this, button] {
        PanelKeyActions(*this).run(button);
        changed();
        FocusEntryBox();
    });
}

void PanelCommands::typeIntoEntry(const QString& digits) {
    for (const QChar digit : digits)
        post([this, digit] {
            m_entry.FlushEntryClear();
            m_entry.typeCharacter(digit);
        });
}

void PanelCommands::entryBackspace() {
    post([this] { m_entry.backspace(); });
}

void PanelCommands::keyPressed(int key) {
    m_keyboard.keyDown(key);
}

void PanelCommands::keyReleased(int key) {
    m_keyboard.keyUp(key);
}

void PanelCommands::arrowPressedElsewhere(int key) {
    m_keyboard.hookArrowDown(key);
}

void PanelCommands::buttonLostFocus() {
    post([this] { m_keyboard.CheckHeldArrowKey(); });
}

void PanelCommands::activated() {
    post([this] { FocusEntryBox(); });
}

void PanelCommands::deactivated() {
    m_keyboard.releaseAll();
    post([this] {
        m_state.LastHeldKey = KeyNone;
        releaseIfMoving();
    });
}

void PanelCommands::chooseSpeedMode(int mode) {
    post([this, mode] {
        m_state.SpeedMode = mode;
        changed();
    });
}

void PanelCommands::chooseSpeed(int PanelState::*speed, std::span<const int> choices, int index) {
    post([this, speed, choices, index] {
        if (index >= 0 && index < int(choices.size()))
            m_state.*speed = choices[size_t(index)];
        changed();
        if (onFocusEntryBox)
            onFocusEntryBox();
        m_keyboard.EvaluateHeldKeys(); // a movement under way goes on at the new speed
    });
}

void PanelCommands::choosePanSpeed(int index) {
    chooseSpeed(&PanelState::PanSpeed, kPanTiltSpeeds, index);
}

void PanelCommands::chooseTiltSpeed(int index) {
    chooseSpeed(&PanelState::TiltSpeed, kPanTiltSpeeds, index);
}

void PanelCommands::chooseZoomSpeed(int index) {
    chooseSpeed(&PanelState::ZoomSpeed, kZoomFocusSpeeds, index);
}

void PanelCommands::chooseFocusSpeed(int index) {
    chooseSpeed(&PanelState::FocusSpeed, kZoomFocusSpeeds, index);
}

void PanelCommands::chooseAutoPanWay(int way) {
    post([this, way] {
        m_state.AutoPanWay = way;
        changed();
    });
}

void PanelCommands::chooseAutoPanTurn(int turn) {
    post([this, turn] {
        m_state.AutoPanLR = turn;
        changed();
    });
}

void PanelCommands::setPresetKeyActive(bool active) {
    post([this, active] {
        m_state.PresetKeyActive = active;
        changed();
        if (onFocusEntryBox)
            onFocusEntryBox();
    });
}

// ---- Number boxes -------------------------------------------------------------------------

bool PanelCommands::checkBox(PanelBox box, int index, const QString& text, NumberRange range) {
    if (range.check(m_messages, m_language, text))
        return true;
    if (onBoxRefused)
        onBoxRefused(box, index);
    return false;
}

void PanelCommands::setRemoteNoText(const QString& text) {
    post([this, text] { m_state.RemoteNo = text; });
}

void PanelCommands::leaveRemoteNo() {
    post([this] { checkBox(PanelBox::RemoteNo, 0, m_state.RemoteNo, kRemoteNoRange); });
}

bool PanelCommands::ValidateSpeedText(int box) {
    if (box < 0 || box >= TestBoxCount)
        return false;
    const QString& text = m_state.TestSpeedText[size_t(box)];
    if (!checkBox(PanelBox::TestSpeed, box, text, {1, kTestSpeedMax[size_t(box)]}))
        return false;
    m_state.TestSpeedValue[size_t(box)] = text.toInt();
    return true;
}

void PanelCommands::setTestSpeedText(int box, const QString& text) {
    if (box < 0 || box >= TestBoxCount)
        return;
    post([this, box, text] {
        m_state.TestSpeedText[size_t(box)] = text;
        ValidateSpeedText(box);
        changed();
        m_keyboard.EvaluateHeldKeys(); // valid or not, as after every change of the box
    });
}

void PanelCommands::leaveTestSpeed(int box) {
    post([this, box] { ValidateSpeedText(box); });
}

void PanelCommands::setTestSpeedBar(int box, int value) {
    setTestSpeedText(box, QString::number(value));
}

bool PanelCommands::ValidatePositionText(int box) {
    if (box < 0 || box >= FieldCount)
        return false;
    const QString& text = m_state.PositionText[size_t(box)];
    if (!checkBox(PanelBox::Position, box, text, {0, kPositionMax[size_t(box)]}))
        return false;
    m_state.PositionValue[size_t(box)] = text.toInt();
    return true;
}

void PanelCommands::setPositionText(int box, const QString& text) {
    if (box < 0 || box >= FieldCount)
        return;
    post([this, box, text] {
        m_state.PositionText[size_t(box)] = text;
        ValidatePositionText(box);
        changed();
    });
}

void PanelCommands::leavePosition(int box) {
    post([this, box] { ValidatePositionText(box); });
}

void PanelCommands::setPositionBar(int box, int value) {
    setPositionText(box, QString::number(value));
}

void PanelCommands::post(PanelEventGate::Event event) {
    m_keyboard.post(std::move(event));
}

void PanelCommands::changed() {
    if (onStateChanged)
        onStateChanged();
}

} // namespace zel
