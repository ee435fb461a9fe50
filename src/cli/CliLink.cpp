#include "CliLink.h"

#include "CliContext.h"
#include "link/TransactionText.h"

namespace zel::cli {

CliLink::CliLink(CliContext& context) : m_context(context) {
    m_engine = std::make_unique<LinkEngine>(m_port, m_timerMenu, m_timerReTry, m_context.settings(),
                                            m_context.messages(), &m_log);
    // Link messages say which exchange they are about.
    m_context.messages().setDetailSource([this](int number) {
        return IsLinkMessage(number) ? TransactionText(m_engine->state()) : QString();
    });
}

CliLink::~CliLink() {
    m_context.messages().setDetailSource(nullptr);
    m_engine.reset();
    m_port.close();
}

bool CliLink::open() {
    m_engine->ResetLinkState();
    m_engine->SetCommPortSettings();
    if (m_engine->OpenCommPort())
        return true;
    CliContext::printUsageError(m_engine->lastOpenError());
    return false;
}

int CliLink::exec() {
    if (!m_finished)
        m_loop.exec();
    return m_exitCode;
}

void CliLink::finish(int exitCode) {
    m_exitCode = exitCode;
    m_finished = true;
    m_loop.exit(exitCode);
}

} // namespace zel::cli
