#include "IntervalCountdown.h"

#include <cmath>

namespace zel {

void IntervalCountdown::setInterval(const QString& text) {
    const double seconds = text.toDouble();
    clear();
    if (!(seconds > 0)) // also not a number
        return;
    const double whole = std::floor(seconds);
    m_whole = static_cast<int>(whole);
    m_fractionMs = static_cast<int>(std::lround((seconds - whole) * 1000));
    // A point without a fraction ("2.000") adds no tick of 0 ms.
    m_hasFraction = m_fractionMs > 0;
    m_remainingWhole = m_whole;
    m_fractionPending = m_hasFraction;
}

std::optional<int> IntervalCountdown::nextTick() {
    if (m_fractionPending) {
        m_fractionPending = false;
        return m_fractionMs;
    }
    if (m_remainingWhole > 0) {
        --m_remainingWhole;
        return kStepMs;
    }
    m_remainingWhole = m_whole;
    m_fractionPending = m_hasFraction;
    return std::nullopt;
}

} // namespace zel
