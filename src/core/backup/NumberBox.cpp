#include "NumberBox.h"

#include "shell/MessageCatalog.h"

namespace zel {

namespace {
// More digits than this cannot be in any range the boxes accept (and cannot overflow).
constexpr qsizetype kMaxDigits = 9;
} // namespace

bool NumberBox::isInRange(const QString& text, int low, int high) {
    if (text.isEmpty() || text.size() > kMaxDigits)
        return false;
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const int value = text.toInt();
    return value >= low && value <= high;
}

bool NumberBox::check(MessageSink& messages, const LanguageTables& language, const QString& text,
                      int low, int high) {
    if (isInRange(text, low, high))
        return true;
    ShowRangeError(messages, language, QString::number(low), QString::number(high));
    return false;
}

bool NumberBox::checkRemoteNo(MessageSink& messages, const LanguageTables& language,
                              const QString& text) {
    return check(messages, language, text, kRemoteLow, kRemoteHigh);
}

bool NumberBox::checkCameraNo(MessageSink& messages, const LanguageTables& language,
                              const QString& text) {
    return check(messages, language, text, kCameraLow, kCameraHigh);
}

bool NumberBox::checkAddress(MessageSink& messages, const LanguageTables& language,
                             const QString& remoteNo, const QString& cameraNo) {
    return checkRemoteNo(messages, language, remoteNo) &&
           checkCameraNo(messages, language, cameraNo);
}

} // namespace zel
