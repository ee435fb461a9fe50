#include "CliPanelRun.h"
#include "CliTexts.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "panel/PanelSession.h"

#include <QEventLoop>
#include <QRegularExpression>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <unistd.h>

namespace zel::cli {

namespace {

constexpr int kIdlePollMs = 5;
constexpr int kReadChunk = 16 * 1024;

QString signalName(int signalNumber) {
    return signalNumber == SIGINT    ? QStringLiteral("SIGINT")
           : signalNumber == SIGTERM ? QStringLiteral("SIGTERM")
                                     : QStringLiteral("signal %1").arg(signalNumber);
}

} // namespace

CliPanelRun::CliPanelRun(CliContext& context, CliLink& link, PanelSession& session, bool testMode)
    : m_context(context), m_link(link), m_session(session), m_testMode(testMode) {
    m_wait.setSingleShot(true);
    QObject::connect(&m_wait, &QTimer::timeout, &m_wait, [this] { advance(); });
    QObject::connect(&m_idlePoll, &QTimer::timeout, &m_idlePoll, [this] {
        if (!m_session.isIdle() || !m_whenIdle)
            return;
        m_idlePoll.stop();
        std::function<void()> then = std::move(m_whenIdle);
        m_whenIdle = {};
        then();
    });
    m_link.onInterrupted = [this] { interrupted(); };
}

CliPanelRun::~CliPanelRun() {
    m_link.onInterrupted = {};
}

void CliPanelRun::addSteps(const PanelScript& script) {
    for (const PanelStep& step : script.steps)
        m_pending.push_back({step, {}});
    m_anyEvent = m_anyEvent || !script.steps.empty();
}

void CliPanelRun::readStdin() {
    // Read only when the notifier says so, so one read never blocks (the descriptor's
    // flags belong to the shell as well and stay as they are).
    m_inputEnded = false;
    m_stdin = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(m_stdin.get(), &QSocketNotifier::activated, m_stdin.get(),
                     [this] { readAvailable(); });
}

int CliPanelRun::exec() {
    QTimer::singleShot(0, &m_wait, [this] { advance(); });
    const int code = m_link.exec(); // the run's code, or the link's when the port went away
    if (m_link.interruptedBy() == 0)
        return code;
    // The stop went out when the signal came; its answer (or the end of its wait) is awaited.
    QEventLoop answered;
    whenIdle([&answered] { answered.quit(); });
    if (!m_session.isIdle())
        answered.exec();
    m_idlePoll.stop();
    const QString signal = signalName(m_link.interruptedBy());
    CliContext::printUsageError(
        m_stoppedBySignal ? cliText(m_context.language(), CliText::PanelStopped)
                                .arg(signal, m_session.state().CameraNo)
                          : cliText(m_context.language(), CliText::PanelNothingMoving).arg(signal));
    return code;
}

void CliPanelRun::readAvailable() {
    char buffer[kReadChunk];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count < 0) {
        if (errno == EAGAIN || errno == EINTR)
            return;
        m_stdin.reset();
        m_inputEnded = true;
        endRun(ExitFailed, QStringLiteral("panel: cannot read the events from stdin: %1")
                               .arg(QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    if (count == 0) {
        m_stdin.reset();
        m_inputEnded = true;
    } else {
        m_partialLine.append(buffer, count);
    }
    takeLines(count == 0);
    if (m_stdin && m_pending.size() >= kMaxPendingSteps)
        m_stdin->setEnabled(false); // read on when the events caught up
    advance();
}

void CliPanelRun::takeLines(bool endOfInput) {
    qsizetype start = 0;
    for (qsizetype end; (end = m_partialLine.indexOf('\n', start)) >= 0; start = end + 1)
        takeLine(m_partialLine.mid(start, end - start));
    m_partialLine.remove(0, start);
    if (m_partialLine.size() > kMaxLineBytes) {
        m_partialLine.clear();
        pushError(QStringLiteral("a line of more than %1 KiB on stdin").arg(kMaxLineBytes / 1024));
        m_stdin.reset();
        m_inputEnded = true;
    }
    if (endOfInput && !m_partialLine.isEmpty()) {
        takeLine(m_partialLine);
        m_partialLine.clear();
    }
}

void CliPanelRun::takeLine(const QByteArray& line) {
    static const QRegularExpression kSpace(QStringLiteral("\\s+"));
    const QStringList words = QString::fromUtf8(line).split(kSpace, Qt::SkipEmptyParts);
    if (words.isEmpty())
        return;
    const PanelScript script = ParsePanelScript(words, m_testMode);
    if (!script.error.isEmpty()) {
        pushError(script.error);
        return;
    }
    addSteps(script);
}

void CliPanelRun::pushError(const QString& error) {
    Pending bad;
    bad.error = error;
    m_pending.push_back(std::move(bad));
}

void CliPanelRun::advance() {
    while (!m_ending && !m_wait.isActive() && !m_pending.empty()) {
        const Pending next = m_pending.front();
        m_pending.pop_front();
        if (!next.error.isEmpty()) {
            endRun(ExitUsage, QStringLiteral("panel: ") + next.error);
            return;
        }
        if (next.step.waitMs >= 0)
            m_wait.start(next.step.waitMs);
        else
            next.step.apply(m_session.commands());
    }
    if (m_stdin && !m_stdin->isEnabled() && m_pending.size() < kMaxPendingSteps / 2)
        m_stdin->setEnabled(true);
    if (m_ending || m_wait.isActive() || !m_pending.empty() || !m_inputEnded)
        return;
    if (!m_anyEvent) {
        endRun(ExitUsage, QStringLiteral("panel: no events on stdin"));
        return;
    }
    endRun(ExitOk);
}

// The panel first finishes what it has begun; a movement still under way is stopped.
void CliPanelRun::endRun(int exitCode, const QString& error) {
    if (m_ending)
        return;
    m_ending = true;
    m_wait.stop();
    m_stdin.reset();
    m_pending.clear();
    if (!error.isEmpty())
        CliContext::printUsageError(error);
    whenIdle([this, exitCode, error] {
        m_session.commands().stopNow();
        whenIdle(
            [this, exitCode, error] { m_link.finish(error.isEmpty() ? resultCode() : exitCode); });
    });
}

void CliPanelRun::whenIdle(std::function<void()> then) {
    m_whenIdle = std::move(then);
    m_idlePoll.start(kIdlePollMs);
}

// SIGINT or SIGTERM: pending events are dropped and the stop goes out at once.
void CliPanelRun::interrupted() {
    m_ending = true;
    m_wait.stop();
    m_stdin.reset();
    m_pending.clear();
    m_whenIdle = {};
    m_idlePoll.stop();
    m_stoppedBySignal = m_session.commands().stopNow();
}

// The panel passes over a camera that does not answer; a script must not pass over one
// that never answered at all.
int CliPanelRun::resultCode() const {
    if (m_session.commands().framesAwaitingReply() > 0 &&
        m_session.commands().repliesReceived() == 0) {
        CliContext::printUsageError(
            QStringLiteral("panel: no reply from camera %1").arg(m_session.state().CameraNo));
        return ExitFailed;
    }
    return m_context.messages().anyShown() ? ExitFailed : ExitOk;
}

} // namespace zel::cli
