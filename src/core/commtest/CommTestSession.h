#pragma once
// The communication test screen as the window and zelctl build it: the CommTest controller
// with its interval and pacing timers, the find target over the rows, and the screen's rules
// (which controls are enabled, the checks before START and SEND, the refusal to close while a
// continuous send runs, the file loads and saves with their messages).
#include "CommTest.h"
#include "TestFindTarget.h"
#include "common/QtTimer.h"

#include <QString>
#include <array>
#include <functional>
#include <optional>

namespace zel {

class LanguageTables;
class LinkEngine;
class MessageSink;

// The boxes checked when they are left and before a send.
enum class CommTestBox { RemoteNo, CameraNo, Interval };

// Every enable flag of the screen.
struct CommTestControls {
    bool address = false;    // REMOTE No., CAMERA No., their labels and the spin keys
    bool rowKind = false;    // W / R of every row
    bool continuous = false; // the continuous-send check box
    bool interval = false;   // the interval box and its label
    bool start = false;
    bool stop = false;
    bool fileMenu = false;
    std::array<bool, TestScreen::kRowCount> send{}; // SEND of rows 1..16

    bool sendAt(int rowNo) const {
        return TestScreen::isRowNo(rowNo) && send[static_cast<size_t>(rowNo - 1)];
    }
};

class CommTestSession {
public:
    // Timers driven by the caller (tests); without them the session runs its own.
    struct Timers {
        Timer& interval; // `TimerCommTest`
        Timer& pace;     // the camera-0 line pacing
    };

    CommTestSession(LinkEngine& engine, const LanguageTables& language, MessageSink& messages,
                    std::optional<Timers> timers = std::nullopt);
    CommTestSession(const CommTestSession&) = delete;
    CommTestSession& operator=(const CommTestSession&) = delete;

    const TestScreen& screen() const { return m_test.screen(); }
    // The controller, for a scripted run of the rows (zelctl test run).
    CommTest& test() { return m_test; }
    TestFindTarget& findTarget() { return m_findTarget; }
    bool isRunning() const { return m_test.isRunning(); }

    CommTestControls controls() const;
    // Whether `box` takes part: a box that is not enabled passes every check.
    bool isBoxInUse(CommTestBox box) const;

    // ---- Edits of the fields ----
    void setRemoteNo(const QString& text);
    void setCameraNo(const QString& text);
    void setInterval(const QString& text);
    void setFreeFormat(bool on);
    void setContinuous(bool on);
    void setRowText(int rowNo, const QString& text);
    void setRowValid(int rowNo, bool on);
    void setRowRead(int rowNo, bool on);
    // A paste into a row: only 0-9 and A-F (else the message, false).
    bool mayPaste(const QString& text) const;

    // ---- Checks and sends ----
    // A box was left: its rule, when it is in use; false after its message. A valid interval
    // is shown with three decimals.
    bool leaveBox(CommTestBox box);
    // START: REMOTE No., CAMERA No., interval, then the continuous send. A refused box comes
    // back through onBoxRefused.
    bool start();
    void stop();
    // A row's SEND key: REMOTE No., CAMERA No., then the row (a refused box as for START).
    bool send(int rowNo);
    // Closing is refused with message 9 while a continuous send runs.
    bool mayClose();

    // ---- Files ----
    void renew(); // File > New
    // File > Open once a path is chosen; false when the load stopped or the file was refused.
    bool load(const QString& path);
    // False after message 24; the reason in `error` when asked for, the old file kept.
    bool saveSendData(const QString& path, QString* error = nullptr);
    bool saveResults(const QString& path, QString* error = nullptr);

    // ---- What the window renders ----
    std::function<void()> onControlsChanged;           // re-apply controls()
    std::function<void()> onScreenChanged;             // every field and row anew
    std::function<void(int rowNo)> onReplyShown;       // a row's reply box
    std::function<void(CommTestBox box)> onBoxRefused; // focus back, text selected

private:
    bool checkBox(CommTestBox box);
    bool checkBoxes(std::initializer_list<CommTestBox> boxes);
    bool save(const QString& path, bool results, QString* error);
    void controlsChanged();
    void screenChanged();

    const LanguageTables& m_language;
    MessageSink& m_messages;
    QtTimer m_ownInterval; // used unless the caller drives the timers
    QtTimer m_ownPace;
    CommTest m_test;
    TestFindTarget m_findTarget;
};

} // namespace zel
