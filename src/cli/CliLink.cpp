#include "CliLink.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliInterrupt.h"
#include "CliTexts.h"
#include "common/MessageNumber.h"
#include "link/TransactionText.h"

#include <utility>

#include <csignal>

namespace zel::cli {

CliLink::CliLink(CliContext& context, MessageSink* messages) : m_context(context) {
    m_engine = std::make_unique<LinkEngine>(m_port, m_timerMenu, m_timerReTry, m_context.settings(),
                                            messages ? *messages : m_context.messages(), &m_log);
    // Link messages say which exchange they are about.
    m_context.messages().setDetailSource([this](int number) {
        return LinkMessageDetail(*m_engine, number, m_context.language().languageIndex());
    });
    // A time-out names the port it waited on; the first one of a run on which nothing has
    // answered yet says how to choose another port.
    m_context.messages().setPlaceSource([this](int number) {
        return number == MessageTimeout ? cliText(m_context.language(), CliText::TimeoutPlace)
                                              .arg(m_context.settings().portDevice())
                                        : QString();
    });
    m_log.startRecording(); // which cameras answered: a time-out's hint depends on it
    m_context.messages().setAfterMessage([this](int number) {
        if (number != MessageTimeout || m_portHintGiven || anyAnswer())
            return;
        m_portHintGiven = true;
        CliContext::printUsageError(portHint());
    });
    // A pulled adapter ends the command: nothing comes back within one run. The line below
    // says so; no "Timeout error" follows it.
    m_engine->setPortLossMessage(0);
    m_portEvents = m_engine->watchPort([this](LinkEngine::PortEvent event) {
        if (m_awaitingConnection && event != LinkEngine::PortEvent::Closed) {
            m_awaitingConnection = false;
            m_loop.exit(event == LinkEngine::PortEvent::Opened ? ExitOk : ExitFailed);
            return;
        }
        if (event != LinkEngine::PortEvent::Lost)
            return;
        m_context.finishProgress(); // the last progress state before the message
        CliContext::printUsageError(
            cliText(m_context.language(), CliText::PortWentAway).arg(m_engine->lastLostReason()));
        finish(ExitFailed);
    });
    m_interrupt = std::make_unique<CliInterrupt>();
    m_interrupt->onSignal = [this](int signalNumber) { onSignal(signalNumber); };
}

CliLink::~CliLink() {
    m_interrupt.reset();
    m_context.messages().setDetailSource(nullptr);
    m_context.messages().setPlaceSource(nullptr);
    m_context.messages().setAfterMessage(nullptr);
    m_engine.reset();
    m_port.close();
}

bool CliLink::open() {
    m_engine->ResetLinkState();
    m_engine->SetCommPortSettings();
    if (m_engine->OpenCommPort() && awaitConnection())
        return true;
    CliContext::printUsageError(m_engine->lastOpenError());
    return false;
}

// A network port connects in the background; the command starts once it is there (the
// port's own time-out bounds the wait).
bool CliLink::awaitConnection() {
    if (!m_engine->isPortConnecting())
        return true;
    // The link's own signal events, answered differently while nothing was sent.
    const auto whenConnected = std::exchange(m_interrupt->onSignal, {});
    m_interrupt->onSignal = [this](int signalNumber) {
        // Nothing was sent or written yet: end as the signal would, after saying so.
        CliContext::printUsageError(cliText(m_context.language(), CliText::InterruptedConnecting)
                                        .arg(m_engine->portDevice()));
        m_engine->CloseCommPort();
        std::signal(signalNumber, SIG_DFL);
        std::raise(signalNumber);
    };
    m_awaitingConnection = true;
    const bool connected = m_loop.exec() == ExitOk;
    m_interrupt->onSignal = whenConnected;
    return connected;
}

int CliLink::exec() {
    if (m_finished)
        return m_exitCode;
    m_loop.exec();
    return m_exitCode;
}

bool CliLink::anyAnswer() const {
    for (int i = 0; i < m_log.count(); ++i)
        if (m_log.entry(i).unit.startsWith(QStringLiteral("CAMERA")))
            return true;
    return false;
}

// Nothing answered on the port: most often the wrong one.
QString CliLink::portHint() const {
    const Settings& settings = m_context.settings();
    QString where = settings.portDevice();
    if (settings.PortOverride.isEmpty())
        where += cliText(m_context.language(), CliText::ComOfSettings).arg(settings.ComPort);
    return cliText(m_context.language(), CliText::NothingAnswered).arg(where);
}

void CliLink::onSignal(int signalNumber) {
    if (m_finished)
        return; // the command is past its loop
    m_signal = signalNumber;
    if (onInterrupted)
        onInterrupted();
    else
        CliContext::printUsageError(interruptionLine());
    finish(ExitSignalBase + signalNumber);
}

// What a command without a line of its own was doing when it was interrupted.
QString CliLink::interruptionLine() const {
    const LanguageTables& language = m_context.language();
    const QString exchange = TransactionText(m_engine->state(), language.languageIndex());
    if (m_engine->state().ScreenCode == ScreenIdle || exchange.isEmpty())
        return cliText(language, CliText::InterruptedIdle);
    return cliText(language, CliText::InterruptedWaiting).arg(exchange);
}

void CliLink::finish(int exitCode) {
    // Ending the transfer on a signal reports it as failed; the signal's status stands.
    m_exitCode = m_signal != 0 ? ExitSignalBase + m_signal : exitCode;
    m_finished = true;
    m_loop.exit(exitCode);
}

} // namespace zel::cli
