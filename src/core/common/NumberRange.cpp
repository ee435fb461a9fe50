#include "NumberRange.h"

#include "shell/MessageCatalog.h"

#include <algorithm>

namespace zel {

namespace {
// More digits than this cannot be in any range the boxes accept (and cannot overflow).
constexpr qsizetype kMaxDigits = 9;
} // namespace

bool NumberRange::contains(const QString& text) const {
    if (text.isEmpty() || text.size() > kMaxDigits)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const int value = text.toInt();
    return value >= m_low && value <= m_high;
}

bool NumberRange::check(MessageSink& messages, const LanguageTables& language,
                        const QString& text) const {
    if (contains(text))
        return true;
    ShowRangeError(messages, language, QString::number(m_low), QString::number(m_high));
    return false;
}

int NumberRange::stepped(const QString& text, int by) const {
    bool numeric = text.size() <= kMaxDigits;
    const int value = numeric ? text.toInt(&numeric) : 0;
    return numeric ? std::clamp(value + by, m_low, m_high) : m_low;
}

bool NumberRange::checkAddress(MessageSink& messages, const LanguageTables& language,
                               const QString& remoteNo, const QString& cameraNo) {
    return kRemoteNoRange.check(messages, language, remoteNo) &&
           kCameraNoRange.check(messages, language, cameraNo);
}

} // namespace zel
