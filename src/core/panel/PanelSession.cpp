#include "PanelSession.h"

#include "shell/Settings.h"

namespace zel {

PanelSession::PanelSession(LinkEngine& engine, const LanguageTables& language,
                           const Settings& settings, MessageSink& messages,
                           std::optional<PanelCommands::Timers> timers)
    : m_settings(settings), m_testMode(settings.testMode()),
      m_commands(engine, language, messages,
                 timers.value_or(PanelCommands::Timers{m_ownPause, m_ownKeyDown, m_ownTextCtrl})) {}

PanelControls PanelSession::controls() const {
    const panel::PanelState& now = state();
    PanelControls controls;
    controls.testPanel = m_testMode;
    controls.testSpeedModes = m_testMode;
    controls.testSpeeds = now.SpeedMode == panel::ModeTest;
    controls.normalSpeeds = !controls.testSpeeds;
    controls.autoPanChoices = now.PresetKeyActive;
    return controls;
}

void PanelSession::setAddress(int cameraNo, int remoteNo) {
    m_commands.state().CameraNo = QString::number(cameraNo);
    m_commands.state().RemoteNo = QString::number(remoteNo);
}

void PanelSession::open() {
    m_commands.load(m_settings.timeOutDspMs());
}

void PanelSession::close() {
    m_commands.unload();
}

} // namespace zel
