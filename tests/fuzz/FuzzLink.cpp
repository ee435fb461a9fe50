#include "FuzzLink.h"

namespace zel::fuzz {

int AnsweringSink::ShowMessage(int number, const QString& extra) {
    Q_UNUSED(number);
    Q_UNUSED(extra);
    ++shown;
    return answer;
}

FuzzLink::FuzzLink() {
    openOn(u"/dev/fuzz"_qs);
    log.startRecording();
}

void FuzzLink::playLine(FuzzedDataProvider& input, const std::function<void()>& afterEvent,
                        int maxEvents) {
    enum Event : int { Bytes, TimeOut, RetryTick, PortLost, Reopen, EventCount };
    for (int i = 0; i < maxEvents && input.remaining_bytes() > 0; ++i) {
        // Mostly bytes: a reply takes several batches, time-outs are rare.
        const int pick = input.ConsumeIntegralInRange<int>(0, 15);
        const int event = pick < 12 ? Bytes : pick - 11;
        switch (event) {
        case Bytes: {
            const auto count = input.ConsumeIntegralInRange<size_t>(1, 64);
            const std::string bytes = input.ConsumeBytesAsString(count);
            port.receive(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
            break;
        }
        case TimeOut:
            timerMenu.fireNow();
            break;
        case RetryTick:
            timerReTry.fireNow();
            break;
        case PortLost:
            port.loseDevice(u"fuzz: device gone"_qs);
            break;
        default:
            if (!engine.isPortOpen())
                engine.tryOpenCommPort();
            break;
        }
        if (afterEvent)
            afterEvent();
    }
}

} // namespace zel::fuzz
