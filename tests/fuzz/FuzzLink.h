#pragma once
// What every fuzz target of the link needs: the link engine on the tests' in-memory port with
// timers fired by the input, a message sink that answers without a window, and the fuzz input cut
// into the events of a serial line.
#include "LinkRig.h"
#include "ManualTimer.h"
#include "MemoryBytePort.h"
#include "common/MessageSink.h"

#include <functional>
#include <fuzzer/FuzzedDataProvider.h>

namespace zel::fuzz {

// Stops the fuzzer with a finding when a rule the code promises does not hold.
#define ZEL_FUZZ_ASSERT(condition)                                                                 \
    do {                                                                                           \
        if (!(condition))                                                                          \
            __builtin_trap();                                                                      \
    } while (false)

// The rest of the fuzz input, as bytes.
inline QByteArray RemainingBytes(FuzzedDataProvider& input) {
    const std::string rest = input.ConsumeRemainingBytesAsString();
    return QByteArray(rest.data(), static_cast<qsizetype>(rest.size()));
}

// Answers every question with `answer` (Yes/No/Cancel) and every notice with OK.
class AnsweringSink : public MessageSink {
public:
    int ShowMessage(int number, const QString& extra = {}) override;
    int answer = ButtonNo;
    int shown = 0;
};

struct FuzzLink : test::LinkRig<test::MemoryBytePort, test::ManualTimer, AnsweringSink> {
    FuzzLink(); // port open, log recording

    // Plays the rest of `input` as line events until it is used up: received byte batches
    // of 1..64 bytes, reply time-outs, retry ticks and a pulled port, in the order the input
    // says. Stops early after `maxEvents`. `afterEvent` runs after each one.
    void playLine(FuzzedDataProvider& input, const std::function<void()>& afterEvent = {},
                  int maxEvents = 256);
};

} // namespace zel::fuzz
