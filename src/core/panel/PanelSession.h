#pragma once
// The operation panel as the window and zelctl build it: the panel controller with its three
// timers (the event gate's pauses, the held key, the entry clear), the address it starts
// with, and which parts of the panel show.
#include "PanelCommands.h"
#include "common/QtTimer.h"

#include <QString>
#include <optional>

namespace zel {

class LanguageTables;
class LinkEngine;
class MessageSink;
class Settings;

// Which parts of the panel show.
struct PanelControls {
    bool testPanel = false;      // `FrameTestPanel`: the second key set (test mode)
    bool testSpeedModes = false; // TEST and ACCEL OFF among the speed modes (test mode)
    bool testSpeeds = false;     // `FrameKey`(0): the TEST-mode speed boxes
    bool normalSpeeds = false;   // `FrameKey`(1): the NORMAL-mode speed choices
    bool autoPanChoices = false; // `FramePanel`: while ACTIVE PRESET KEY is ticked
};

class PanelSession {
public:
    PanelSession(LinkEngine& engine, const LanguageTables& language, const Settings& settings,
                 MessageSink& messages, std::optional<PanelCommands::Timers> timers = std::nullopt);
    // Going away stops a movement still running, as close() does (the controller does it).
    PanelSession(const PanelSession&) = delete;
    PanelSession& operator=(const PanelSession&) = delete;

    // The controller every event of the panel goes to.
    PanelCommands& commands() { return m_commands; }
    const panel::PanelState& state() const { return m_commands.state(); }
    PanelControls controls() const;
    bool showsSpeedMode(int mode) const {
        return mode < panel::ModeTest || controls().testSpeedModes;
    }
    // No pause, queued event, panel timer, frame waiting or reply awaited.
    bool isIdle() const { return m_commands.isIdle(); }

    // The camera and remote number the panel starts with (zelctl); the boxes' start values
    // otherwise.
    void setAddress(int cameraNo, int remoteNo);
    // Form load: start values, the entry-clear interval of the settings, then ready.
    void open();
    // Form unload: a movement still running is stopped; then nothing more is sent.
    void close();

private:
    const Settings& m_settings;
    const bool m_testMode;
    QtTimer m_ownPause; // used unless the caller drives the timers
    QtTimer m_ownKeyDown;
    QtTimer m_ownTextCtrl;
    PanelCommands m_commands;
};

} // namespace zel
