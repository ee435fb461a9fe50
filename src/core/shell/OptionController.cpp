#include "OptionController.h"

#include "Application.h"
#include "MenuState.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"

#include <algorithm>

namespace zel {

OptionController::OptionController(Application& app) : m_app(app) {
    load();
}

void OptionController::load() {
    const Settings& settings = m_app.settings();
    m_port = std::clamp(settings.ComPort.toInt(), 1, 4);
    m_rate = std::clamp(settings.Rate.toInt(), 0, 3);
    m_autoSave = std::clamp(settings.AutoSave.toInt(), 0, 3);
}

void OptionController::setPort(int port) {
    m_port = std::clamp(port, 1, 4);
}
void OptionController::setRate(int rate) {
    m_rate = std::clamp(rate, 0, 3);
}
void OptionController::setAutoSave(int autoSave) {
    m_autoSave = std::clamp(autoSave, 0, 3);
}

bool OptionController::chooseDevice(int port, const QString& device) {
    Settings& settings = m_app.settings();
    if (settings.deviceOfPort(port) == device)
        return true;
    if (settings.P_SetIniDevice(port, device))
        return true;
    m_app.messages().ShowMessage(MessageCannotSave, settings.SettingsFilePath);
    return false;
}

QString OptionController::deviceOfPort(int port) const {
    return m_app.settings().deviceOfPort(port);
}

QString OptionController::portOverride() const {
    return m_app.settings().PortOverride;
}

bool OptionController::isChanged() const {
    const Settings& settings = m_app.settings();
    return settings.ComPort != QString::number(m_port) ||
           settings.Rate != QString::number(m_rate) ||
           settings.AutoSave != QString::number(m_autoSave);
}

void OptionController::writeChoices() {
    Settings& settings = m_app.settings();
    const bool written =
        settings.P_SetIniRS232C(QString::number(m_port), QString::number(m_rate)) &&
        settings.P_SetIniAutoSave(QString::number(m_autoSave));
    settings.recomputeCurrentWriteWait();
    // The new values hold for this run even when the file refused them; say so.
    if (!written)
        m_app.messages().ShowMessage(MessageCannotSave, settings.SettingsFilePath);
    if (onAutoSaveChanged)
        onAutoSaveChanged();
}

void OptionController::applySetting() {
    writeChoices();
    m_app.reapplyPort();
}

void OptionController::close() {
    if (isChanged() && m_app.messages().ShowMessage(MessageSaveChanges) == ButtonYes)
        writeChoices();
    m_app.reapplyPort();
    m_app.menu().screenClosed(MenuState::ButtonOption);
}

} // namespace zel
