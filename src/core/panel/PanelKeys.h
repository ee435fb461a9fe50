#pragma once
// Key codes of the operation panel.
namespace zel::panel {

// `PtzKeyCode`: what a movement key does to the four direction fields of command 20.
enum PtzKeyCode : int {
    PtzUpRight = 0,
    PtzRight = 1,
    PtzDownRight = 2,
    PtzDown = 3,
    PtzDownLeft = 4,
    PtzLeft = 5,
    PtzUpLeft = 6,
    PtzUp = 7,
    PtzNone = 8, // nothing is sent
    PtzTele = 10,
    PtzWide = 11,
    PtzFar = 12,
    PtzNear = 13,
    PtzAf = 14,
    PtzRelease = 255, // the fields as they stand, StopPending set
};

// Keyboard keys by their virtual-key codes; letters and digits are their upper-case ASCII.
enum KeyCode : int {
    KeyNone = 255,
    KeyBackspace = 8,
    KeyTab = 9,
    KeyLeft = 37,
    KeyUp = 38,
    KeyRight = 39,
    KeyDown = 40,
    KeyA = 65,
    KeyD = 68,
    KeyE = 69,
    KeyF = 70,
    KeyS = 83,
};

inline bool IsArrowKey(int key) {
    return key >= KeyLeft && key <= KeyDown;
}

// The function and number keys of the panel that act on a click.
enum class PanelButton {
    Aux1Off,
    Aux1On,
    Aux2Off,
    Aux2On,
    Aux3Off,
    Aux3On,
    Aux4Off,
    Aux4On,
    Aux5Off,
    Aux5On,
    WdrReset,
    WdrOff,
    WdrOn,
    BwReset,
    BwOff,
    BwOn,
    IrsReset,
    IrsDark,
    IrsBright,
    AlarmReset,
    AlarmAction,
    Stop,
    AutoP,
    Menu,
    Set,
    Cancel,
    Cam,
    Pos,
    Trace,
    Tour,
    TraceRec,
    TraceRecStop,
    TraceClear,
    PositionSet,
    PositionClear,
    TurnLeftSet,
    TurnRightSet,
    TurnUpSet,
    TurnDownSet,
    TurnClear,
    TurnOff,
    TurnOn,
    AutoPanRightSet,
    AutoPanLeftSet,
    AutoPanRightClear,
    AutoPanLeftClear,
    Go,
    Now,
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
};

// Speed mode, the index of `OptionKey`.
enum SpeedMode : int {
    ModeNone = -1,
    ModeNormal = 0,
    ModeStep = 1,
    ModeTest = 2,
    ModeAccelOff = 3
};

} // namespace zel::panel
