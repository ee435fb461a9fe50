#include "PortWatch.h"

#include "NetworkPortName.h"
#include "common/Timer.h"
#include "shell/ReasonTexts.h"

#include <QFileInfo>
#include <QObject>
#include <algorithm>

namespace zel {

static_assert(static_cast<int>(PortWatch::State::OpenFailed) ==
              static_cast<int>(PortStateText::OpenFailed)); // one order, two enums

PortWatch::PortWatch(LinkEngine& engine, Timer& retryTimer)
    : m_engine(engine), m_retryTimer(retryTimer) {
    m_portEvents = m_engine.watchPort([this](LinkEngine::PortEvent event) { onPortEvent(event); });
    m_retryTimer.setCallback([this] { retryNow(); });
    QObject::connect(&m_watcher, &QFileSystemWatcher::directoryChanged, &m_watcher,
                     [this] { retryNow(); });
    if (m_engine.isPortOpen())
        m_state = State::Open;
}

PortWatch::~PortWatch() {
    m_portEvents.reset();
    m_retryTimer.stop();
    m_retryTimer.setCallback({});
}

QString PortWatch::statusText(int languageIndex) const {
    return portStateLine(device(), static_cast<PortStateText>(m_state), languageIndex);
}

void PortWatch::onPortEvent(LinkEngine::PortEvent event) {
    switch (event) {
    case LinkEngine::PortEvent::Opened:
        stopWaiting();
        setState(State::Open, {});
        break;
    case LinkEngine::PortEvent::Lost:
        setState(State::Lost, m_engine.lastLostReason());
        startWaiting();
        break;
    case LinkEngine::PortEvent::OpenFailed:
        // A failed attempt while waiting for a lost port keeps it "lost" (a network port
        // tells of its failed connection later, outside the attempt).
        if ((!m_reopening && !isNetworkPort()) || m_state != State::Lost)
            setState(State::OpenFailed, m_engine.lastOpenError());
        startWaiting();
        break;
    case LinkEngine::PortEvent::Closed:
        // Closed on purpose (settings changed, CPU writer, end): nothing to wait for. A
        // close during our own reopen attempt is part of it.
        if (m_reopening)
            break;
        stopWaiting();
        setState(State::Closed, {});
        break;
    }
}

void PortWatch::startWaiting() {
    if (!m_waiting) {
        m_waiting = true;
        m_retryMs = isNetworkPort() ? kNetworkRetryFirstMs : kRetryMs;
        // The folder of the device: /dev for an adapter, the folder of a link to a pty.
        const QString folder = QFileInfo(device()).absolutePath();
        if (!isNetworkPort() && QFileInfo(folder).isDir())
            m_watcher.addPath(folder);
    } else if (isNetworkPort() && !m_retryTimer.isActive()) {
        m_retryMs = std::min(m_retryMs * 2, kNetworkRetryMaxMs);
    }
    if (!m_retryTimer.isActive())
        m_retryTimer.start(m_retryMs);
}

bool PortWatch::isNetworkPort() const {
    return IsNetworkPortName(device());
}

void PortWatch::stopWaiting() {
    m_waiting = false;
    m_retryTimer.stop();
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
}

void PortWatch::retryNow() {
    if (!m_waiting || m_reopening || m_engine.isPortOpen())
        return;
    // A device node that is not there yet cannot be opened; wait for the next change. (Port
    // names that are not paths, such as COM3, are simply tried.)
    if (device().startsWith(QLatin1Char('/')) && !QFileInfo::exists(device()))
        return;
    // A network attempt ends later; its failure sets the next, longer wait.
    if (isNetworkPort())
        m_retryTimer.stop();
    m_reopening = true;
    m_engine.tryOpenCommPort();
    m_reopening = false;
}

void PortWatch::setState(State state, const QString& reason) {
    if (state == m_state && reason == m_reason)
        return;
    m_state = state;
    m_reason = reason;
    if (onChanged)
        onChanged();
}

} // namespace zel
