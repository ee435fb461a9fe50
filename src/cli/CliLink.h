#pragma once
// The link engine on a real serial port for one zelctl run: port, timers, engine, and an
// event loop that runs until the command says it is done.
#include "common/QtTimer.h"
#include "link/AnyBytePort.h"
#include "link/CommLogStore.h"
#include "link/LinkEngine.h"

#include <QEventLoop>
#include <functional>
#include <memory>

namespace zel::cli {

class CliContext;
class CliInterrupt;

class CliLink {
public:
    // Messages of the engine go to `messages` (default: the context's, on stderr).
    explicit CliLink(CliContext& context, MessageSink* messages = nullptr);
    ~CliLink();

    // Sets up and opens the port of the settings (--port overrides); message 6 with the
    // device and reason on stderr when it fails.
    bool open();
    LinkEngine& engine() { return *m_engine; }

    // Runs the event loop until finish() is called; returns the code given to finish(), or
    // 128 + the signal number after SIGINT (130) or SIGTERM (143).
    int exec();
    void finish(int exitCode);

    // Called on SIGINT or SIGTERM during exec(), before the loop ends: the command ends its
    // transfer in order here (files closed; the line saying what was kept is its own). A
    // signal that comes between a send and exec() waits for exec().
    std::function<void()> onInterrupted;
    // The signal that ended exec(), 0 when none did.
    int interruptedBy() const { return m_signal; }

private:
    QString interruptionLine() const;
    bool anyAnswer() const; // a camera answered on this run
    QString portHint() const;
    void onSignal(int signalNumber);
    bool awaitConnection();

    CliContext& m_context;
    AnyBytePort m_port;
    QtTimer m_timerMenu;
    QtTimer m_timerReTry;
    CommLogStore m_log;
    std::unique_ptr<LinkEngine> m_engine;
    Subscription m_portEvents;
    QEventLoop m_loop;
    std::unique_ptr<CliInterrupt> m_interrupt; // from the start: the first send comes before exec()
    int m_exitCode = 0;
    bool m_finished = false; // finish() may come before exec() (camera 0, port error)
    int m_signal = 0;
    bool m_portHintGiven = false;
    bool m_awaitingConnection = false;
};

} // namespace zel::cli
