#pragma once
// A scripted run of the loaded rows, for the command line. Continuous send off: each
// sendable row once, in order, as its SEND key would, each after the previous reply or
// time-out. On: the screen's continuous send until `rounds` rounds over the sendable rows
// have been sent, then STOP (a time-out ends it early).
#include "CommTest.h"
#include "common/TransferProgress.h"

#include <QObject>
#include <QString>
#include <functional>

namespace zel {

class MessageSink;

class TestRun {
public:
    struct Line {
        int rowNo = 0;
        QString letter; // W or R
        QString sent;   // the row text
        QString reply;  // as the reply box shows it; empty without a reply
    };

    TestRun(CommTest& test, MessageSink& messages);

    // False when nothing could be sent (no sendable row: message 5; port closed: message 6).
    bool start(int rounds);
    bool finished() const { return m_finished; }
    bool allReplied() const { return m_allReplied; }
    // Rows ended (replied or not) of the rows the run sends; the caller names the phase.
    TransferProgress progress() const;

    std::function<void(const Line& line)> onLine;
    std::function<void(bool allReplied)> onFinished;

private:
    void onSendEnded(int rowNo, CommTest::SendEnd end);
    void sendNextSingle();
    void finish();

    CommTest& m_test;
    MessageSink& m_messages;
    QObject m_context; // the queued next send dies with the run
    bool m_continuous = false;
    int m_target = 0; // rows to send in all

    int m_ended = 0;
    int m_nextRow = 1;
    bool m_allReplied = true;
    bool m_finished = false;
};

} // namespace zel
