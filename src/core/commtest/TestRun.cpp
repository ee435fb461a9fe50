#include "TestRun.h"

#include "common/MessageNumber.h"
#include "common/MessageSink.h"

#include <QTimer>

namespace zel {

TestRun::TestRun(CommTest& test, MessageSink& messages) : m_test(test), m_messages(messages) {}

bool TestRun::start(int rounds) {
    const TestScreen& screen = m_test.screen();
    m_test.onSendEnded = [this](int rowNo, CommTest::SendEnd end) { onSendEnded(rowNo, end); };
    m_continuous = screen.continuous;
    m_target = (m_continuous ? rounds : 1) * screen.sendableCount();
    if (m_continuous)
        return m_test.CommandStart();
    if (screen.sendableCount() == 0) {
        m_messages.ShowMessage(MessageNoContinuousData);
        return false;
    }
    m_nextRow = 1;
    sendNextSingle();
    return !m_finished || m_ended > 0;
}

void TestRun::sendNextSingle() {
    while (TestScreen::isRowNo(m_nextRow) && !m_test.screen().row(m_nextRow).sendable())
        ++m_nextRow;
    if (!TestScreen::isRowNo(m_nextRow)) {
        finish();
        return;
    }
    if (!m_test.CommandSend(m_nextRow++)) {
        m_allReplied = false;
        finish();
    }
}

void TestRun::onSendEnded(int rowNo, CommTest::SendEnd end) {
    if (m_finished)
        return;
    const TestRow& row = m_test.screen().row(rowNo);
    const bool replied = end == CommTest::SendEnd::Replied;
    if (end == CommTest::SendEnd::TimedOut)
        m_allReplied = false;
    ++m_ended;
    if (onLine)
        onLine({rowNo, row.letter(), row.text, replied ? row.reply : QString()});
    if (m_continuous) {
        if (end == CommTest::SendEnd::TimedOut) {
            finish(); // the time-out has already stopped the run
        } else if (m_ended >= m_target) {
            m_test.CommandStop();
            finish();
        }
        return;
    }
    // After the link has finished with this transaction (a time-out resets it afterwards).
    QTimer::singleShot(0, &m_context, [this] { sendNextSingle(); });
}

TransferProgress TestRun::progress() const {
    TransferProgress progress;
    progress.unit = ProgressUnit::Rows;
    progress.done = m_ended;
    progress.total = m_target;
    return progress;
}

void TestRun::finish() {
    if (m_finished)
        return;
    m_finished = true;
    m_test.onSendEnded = {};
    if (onFinished)
        onFinished(m_allReplied);
}

} // namespace zel
