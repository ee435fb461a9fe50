#include "PanelKeyActions.h"

#include "PanelCommandData.h"
#include "PanelCommands.h"
#include "PositionReply.h"

namespace zel {

using namespace panel;
using B = PanelButton;

namespace {

constexpr int kPresetMax = 255;
constexpr int kTraceMin = 1;
constexpr int kTraceMax = 2;
constexpr int kTourMin = 1;
constexpr int kTourMax = 16;
constexpr int kMenuNumberMax = 9999;

// Keys whose data is fixed apart from the key index: (first button, command, first index).
struct IndexGroup {
    B first;
    B last;
    int code;
    int firstIndex;
    int aux; // 30 aa ii: the output number, else 0
};

constexpr IndexGroup kIndexGroups[] = {
    {B::Aux1Off, B::Aux1On, CodeAux, 1, 1},
    {B::Aux2Off, B::Aux2On, CodeAux, 1, 2},
    {B::Aux3Off, B::Aux3On, CodeAux, 1, 3},
    {B::Aux4Off, B::Aux4On, CodeAux, 1, 4},
    {B::Aux5Off, B::Aux5On, CodeAux, 1, 5},
    {B::IrsReset, B::IrsBright, CodeIris, 0, 0},
    {B::TurnLeftSet, B::TurnDownSet, CodeTurnMemory, 1, 0},
    {B::TurnClear, B::TurnOn, CodeTurnSet, 0, 0},
    {B::AutoPanRightSet, B::AutoPanLeftSet, CodePanLimitSet, 1, 0},
    {B::AutoPanRightClear, B::AutoPanLeftClear, CodePanLimitClear, 1, 0},
};

} // namespace

void PanelKeyActions::run(B button) {
    if (runIndexKey(button) || runFixedKey(button))
        return;
    runNumberKey(button);
}

void PanelKeyActions::send(const QString& data) {
    m_panel.SendPanelCommand(data, QStringLiteral("False"), data.left(2));
}

bool PanelKeyActions::runIndexKey(B button) {
    for (const IndexGroup& group : kIndexGroups) {
        if (button < group.first || button > group.last)
            continue;
        const int index = group.firstIndex + (int(button) - int(group.first));
        send(group.aux != 0 ? AuxData(group.aux, index) : IndexData(group.code, index));
        return true;
    }
    if (button >= B::WdrReset && button <= B::WdrOn) {
        send(WdrData(int(button) - int(B::WdrReset)));
        return true;
    }
    if (button >= B::BwReset && button <= B::BwOn) {
        send(BwData(int(button) - int(B::BwReset)));
        return true;
    }
    return false;
}

bool PanelKeyActions::runFixedKey(B button) {
    const PanelState& state = m_panel.state();
    switch (button) {
    case B::AlarmReset:
        send(AlarmData(false));
        return true;
    case B::AlarmAction:
        send(AlarmData(true));
        return true;
    case B::Stop:
        send(StopData());
        return true;
    case B::AutoP:
        send(AutoPanData(state.PresetKeyActive, state.AutoPanWay, state.AutoPanLR));
        return true;
    case B::Menu:
        menu();
        return true;
    case B::Set:
        menuSet();
        return true;
    case B::Cancel:
        cancel();
        return true;
    case B::Go:
        go();
        return true;
    case B::Now:
        m_panel.SendPanelCommand(NowData(), QStringLiteral("True"), NowData());
        return true;
    default:
        return false;
    }
}

template <typename Build>
void PanelKeyActions::sendWithEntry(int minimum, int maximum, Build build) {
    EntryBox& entry = m_panel.entry();
    entry.FlushEntryClear();
    if (!entry.ValidateEntryNumber(minimum, maximum))
        return;
    send(build(entry.number()));
    entry.StartEntryClearTimer();
}

bool PanelKeyActions::runNumberKey(B button) {
    EntryBox& entry = m_panel.entry();
    if (button >= B::Digit0 && button <= B::Digit9) {
        entry.FlushEntryClear();
        entry.typeCharacter(QChar(u'0' + (int(button) - int(B::Digit0))));
        return true;
    }
    const auto position = [](int code) { return [code](int n) { return PositionData(code, n); }; };
    switch (button) {
    case B::Cam:
        camera();
        return true;
    case B::Pos:
        sendWithEntry(0, kPresetMax, position(CodePosition));
        return true;
    case B::PositionSet:
        sendWithEntry(0, kPresetMax, position(CodePositionSet));
        return true;
    case B::PositionClear:
        sendWithEntry(0, kPresetMax, position(CodePositionClear));
        return true;
    case B::Trace:
        sendWithEntry(kTraceMin, kTraceMax, [&entry](int) { return TraceData(entry.text()); });
        return true;
    case B::Tour:
        sendWithEntry(kTourMin, kTourMax, TourData);
        return true;
    case B::TraceRec:
        sendWithEntry(kTraceMin, kTraceMax, TraceRecordData);
        return true;
    case B::TraceClear:
        sendWithEntry(kTraceMin, kTraceMax, TraceClearData);
        return true;
    case B::TraceRecStop:
        entry.FlushEntryClear();
        send(TraceRecordStopData()); // the entry is not used: no clear timer
        return true;
    default:
        return false;
    }
}

void PanelKeyActions::menu() {
    PanelState& state = m_panel.state();
    send(MenuData(state.MenuState));
    // Flips whether or not the frame went out.
    state.MenuState =
        state.MenuState == QStringLiteral("2") ? QStringLiteral("1") : QStringLiteral("2");
}

void PanelKeyActions::menuSet() {
    EntryBox& entry = m_panel.entry();
    entry.FlushEntryClear();
    if (m_panel.state().MenuState != QStringLiteral("2"))
        return;
    if (entry.text().isEmpty()) {
        send(MenuSetData(std::nullopt));
        return;
    }
    if (!entry.ValidateEntryNumber(0, kMenuNumberMax))
        return;
    send(MenuSetData(entry.number()));
    entry.StartEntryClearTimer();
}

void PanelKeyActions::cancel() {
    EntryBox& entry = m_panel.entry();
    if (!entry.text().isEmpty()) {
        entry.clear();
        entry.StopEntryClearTimer();
    } else if (m_panel.state().MenuState == QStringLiteral("2")) {
        send(MenuCancelData());
    }
}

void PanelKeyActions::camera() {
    EntryBox& entry = m_panel.entry();
    entry.FlushEntryClear();
    if (!entry.ValidateEntryNumber(kAnyCameraNoRange.low(), kAnyCameraNoRange.high()))
        return;
    m_panel.state().CameraNo = QString::number(entry.number());
    entry.StartEntryClearTimer();
}

// GO checks the four boxes again before it sends: a box left out of range would otherwise
// put more digits into a field than it holds and break the frame.
void PanelKeyActions::go() {
    for (int box = 0; box < FieldCount; ++box)
        if (!m_panel.ValidatePositionText(box))
            return;
    const auto& value = m_panel.state().PositionValue;
    if (const auto data =
            GoData(value[FieldPan], value[FieldTilt], value[FieldZoom], value[FieldDZoom]))
        send(*data);
}

} // namespace zel
