#include "Application.h"

#include "MenuState.h"
#include "link/LinkEngine.h"
#include "link/PortWatch.h"

namespace zel {

Application::Application() = default;

Application::~Application() {
    m_portWatch.reset();
    if (m_engine)
        m_engine->CloseCommPort();
}

bool Application::readSettings(const QString& folder) {
    const bool found = m_settings.ReadSettings(folder);
    m_language.setLanguageIndex(found ? m_settings.languageIndex() : 0);
    return found;
}

void Application::start(MessageSink& messages) {
    m_messages = &messages;
    m_engine = std::make_unique<LinkEngine>(m_port, m_timerMenu, m_timerReTry, m_settings, messages,
                                            &m_commLog);
    m_portWatch = std::make_unique<PortWatch>(*m_engine, m_timerPortRetry);
    m_menu = std::make_unique<MenuState>(messages);
}

bool Application::openPort() {
    m_engine->ResetLinkState();
    m_engine->SetCommPortSettings();
    const bool opened = m_engine->OpenCommPort();
    m_titleChars.BuildTitleCharTable(m_settings.languageIndex());
    m_timerMenu.stop();
    m_timerReTry.stop();
    return opened;
}

bool Application::reapplyPort() {
    m_engine->CloseCommPort();
    m_engine->SetCommPortSettings();
    return m_engine->OpenCommPort();
}

void Application::closePort() {
    if (m_engine)
        m_engine->CloseCommPort();
}

QString Application::printDatabasePath() const {
    return m_settings.ApplicationFolder + QStringLiteral("DbFile.mdb");
}

} // namespace zel
