#pragma once
// The main menu's rules: which screens are open (a disabled button is an open screen, title
// windows hold slots 1..8), what a button click does, and whether the menu may close.
#include <array>
#include <functional>

namespace zel {

class MessageSink;

class MenuState {
public:
    enum Button {
        ButtonPanel = 0,
        ButtonTitle = 1,
        ButtonBackup = 2,
        ButtonCpuWriter = 3,
        ButtonOption = 4,
        ButtonCommTest = 5,
        ButtonCommLog = 6,
        ButtonExit = 7,
    };
    static constexpr int kButtonCount = 8;
    static constexpr int kTitleSlots = 8; // slots 1..8; slot 0 is never used
    static constexpr int kSlotTaken = -1;

    enum class ClickAction {
        None,          // nothing to open (disabled button, no free title slot)
        OpenScreen,    // show the screen of the button (0, 2, 4, 5, 6)
        OpenTitle,     // show the title window of CurrentTitleSlot
        OpenCpuWriter, // show the CPU writer modal
        Refused,       // message shown; nothing opens
        Exit,          // SetEndProc, then close the menu
    };

    enum class CloseDecision {
        Close,    // close the port and end
        Cancel,   // message 8 shown, the menu stays
        ForceEnd, // message 8 shown, but the end is forced from the transfer dialog or CPU writer
    };

    explicit MenuState(MessageSink& messages);

    bool isEnabled(int button) const;
    void setEnabled(int button, bool enabled);

    // Menu load: every button enabled, title slots 1..8 free.
    void reset();

    // `IsScreenInUse`: any of buttons 0..6 disabled or any title slot taken.
    bool IsScreenInUse() const;
    bool isSlotTaken(int slot) const;
    int freeSlotCount() const;

    ClickAction click(int button);

    // A screen closed: its button is enabled again.
    void screenClosed(int button);
    // A title window closed: its slot is freed and button 1 enabled.
    void titleWindowClosed(int slot);

    // The menu's unload. `endForced`: the active window is the transfer dialog or the CPU
    // writer. While the end blocker says a flash write runs, the end is refused with
    // message 26 whatever window is active: ending then would leave the camera's CPU with
    // half a program.
    CloseDecision requestClose(bool endForced = false);
    void setEndBlocker(std::function<bool()> blocker) { m_endBlocker = std::move(blocker); }

    // `TitleSlotInUse`(0..8): -1 taken, 0 free. `CurrentTitleSlot`: the slot handed to the
    // title window that loads next.
    std::array<int, kTitleSlots + 1> TitleSlotInUse{};
    int CurrentTitleSlot = 0;

    std::function<void()> onChanged; // the window repaints its buttons

private:
    ClickAction clickTitle();
    ClickAction clickCpuWriter();
    int firstFreeSlot() const;
    void changed();

    MessageSink& m_messages;
    std::array<bool, kButtonCount> m_enabled{};
    std::function<bool()> m_endBlocker;
};

} // namespace zel
