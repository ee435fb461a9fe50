#pragma once
// One run of `zelctl panel`: the events go to the panel controller in order as they come,
// from the arguments all at once or from stdin line by line as they arrive (a joystick or a
// script can drive the camera live); wait:MS holds the following events back. The run ends
// once the input has ended, every event ran and the panel is idle. Whatever ends it (the end
// of input, a bad line, SIGINT or SIGTERM), a movement still under way is stopped first.
#include "CliPanelScript.h"

#include <QByteArray>
#include <QSocketNotifier>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>

namespace zel {
class PanelSession;
}

namespace zel::cli {

class CliContext;
class CliLink;

class CliPanelRun {
public:
    static constexpr qsizetype kMaxLineBytes = 64 * 1024;
    static constexpr size_t kMaxPendingSteps = 1024; // stdin is read no further meanwhile

    CliPanelRun(CliContext& context, CliLink& link, PanelSession& session, bool testMode);
    ~CliPanelRun();
    CliPanelRun(const CliPanelRun&) = delete;
    CliPanelRun& operator=(const CliPanelRun&) = delete;

    // The events of the arguments, checked already.
    void addSteps(const PanelScript& script);
    // The events come from stdin, to its end.
    void readStdin();
    // Runs until the end; the exit code.
    int exec();

private:
    struct Pending {
        PanelStep step;
        QString error; // a bad line: the run ends with a usage error when it is reached
    };
    void readAvailable();
    void takeLines(bool endOfInput);
    void takeLine(const QByteArray& line);
    void pushError(const QString& error);
    void advance();
    void endRun(int exitCode, const QString& error = {});
    void whenIdle(std::function<void()> then);
    void interrupted();
    int resultCode() const;

    CliContext& m_context;
    CliLink& m_link;
    PanelSession& m_session;
    bool m_testMode;
    std::deque<Pending> m_pending;
    QTimer m_wait;
    QTimer m_idlePoll;
    std::function<void()> m_whenIdle;
    std::unique_ptr<QSocketNotifier> m_stdin;
    QByteArray m_partialLine;
    bool m_inputEnded = true;
    bool m_anyEvent = false;
    bool m_ending = false;
    bool m_stoppedBySignal = false;
};

} // namespace zel::cli
