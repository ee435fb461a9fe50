#pragma once
// The interval of the timed continuous send, W seconds and F milliseconds, counted as one
// tick of F ms (when there is a fraction) followed by W ticks of 1000 ms.
#include <QString>
#include <optional>

namespace zel {

class IntervalCountdown {
public:
    static constexpr int kStepMs = 1000;

    // Splits the interval text at its point: whole seconds and the three decimals as ms.
    void setInterval(const QString& text);
    void clear() { *this = IntervalCountdown{}; }

    // The length of the next tick, or std::nullopt when the interval is over; the countdown
    // is then reloaded for the next interval.
    std::optional<int> nextTick();

    int wholeSeconds() const { return m_whole; }
    int fractionMs() const { return m_fractionMs; }

private:
    int m_whole = 0;
    int m_fractionMs = 0;
    bool m_hasFraction = false;
    int m_remainingWhole = 0;
    bool m_fractionPending = false;
};

} // namespace zel
