#pragma once
// What every fuzz target of the link needs: the link engine on an in-memory port with timers
// fired by the input, a message sink that answers without a window, and the fuzz input cut
// into the events of a serial line.
#include "LinkRig.h"
#include "common/MessageSink.h"
#include "common/Timer.h"
#include "link/BytePort.h"

#include <functional>
#include <fuzzer/FuzzedDataProvider.h>

namespace zel::fuzz {

// Stops the fuzzer with a finding when a rule the code promises does not hold.
#define ZEL_FUZZ_ASSERT(condition)                                                                 \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (false)

class FuzzPort : public BytePort {
public:
    bool open(const PortLineSettings&, QString*) override {
        m_open = true;
        return true;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    bool write(const QByteArray& bytes) override {
        ++writes;
        lastWritten = bytes;
        return m_open;
    }
    void discardInput() override {}
    void receive(const QByteArray& bytes) {
        if (onReceived)
            onReceived(bytes);
    }
    void lose() {
        m_open = false;
        if (onLost)
            onLost(QStringLiteral("fuzz: device gone"));
    }

    int writes = 0;
    QByteArray lastWritten;

private:
    bool m_open = false;
};

class FuzzTimer : public Timer {
public:
    void start(int intervalMs) override {
        m_interval = intervalMs;
        m_active = true;
    }
    void stop() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int interval() const override { return m_interval; }
    void fireIfActive() {
        if (m_active)
            fire();
    }

private:
    bool m_active = false;
    int m_interval = 0;
};

// Answers every question with `answer` (Yes/No/Cancel) and every notice with OK.
class AnsweringSink : public MessageSink {
public:
    int ShowMessage(int number, const QString& extra = {}) override;
    int answer = ButtonNo;
    int shown = 0;
};

struct FuzzLink : test::LinkRig<FuzzPort, FuzzTimer, AnsweringSink> {
    FuzzLink(); // port open, log recording

    // Plays the rest of `input` as line events until it is used up: received byte batches
    // of 1..64 bytes, reply time-outs, retry ticks and a pulled port, in the order the input
    // says. Stops early after `maxEvents`. `afterEvent` runs after each one.
    void playLine(FuzzedDataProvider& input, const std::function<void()>& afterEvent = {},
                  int maxEvents = 256);
};

} // namespace zel::fuzz
