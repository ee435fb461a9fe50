#include "TestEntryRules.h"

#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/NumberRange.h"
#include "shell/MessageCatalog.h"

#include <QRegularExpression>

namespace zel {

namespace {
constexpr int kIntervalDecimals = 3;
} // namespace

bool TestEntryRules::checkRemoteNo(MessageSink& messages, const LanguageTables& language,
                                   const QString& text) {
    return kRemoteNoRange.check(messages, language, text);
}

bool TestEntryRules::checkCameraNo(MessageSink& messages, const LanguageTables& language,
                                   const QString& text) {
    return kAnyCameraNoRange.check(messages, language, text);
}

bool TestEntryRules::isInterval(const QString& text) {
    // Digits with at most one point, not starting with it; at most three decimals.
    static const QRegularExpression pattern(QStringLiteral("^\\d{1,9}(\\.\\d*)?$"));
    if (!pattern.match(text).hasMatch())
        return false;
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    if (point >= 0) {
        QString decimals = text.mid(point + 1);
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        if (decimals.size() > kIntervalDecimals)
            return false;
    }
    return text.toDouble() <= kIntervalHigh;
}

QString TestEntryRules::formatInterval(const QString& text) {
    if (!text.contains(QLatin1Char('.')) || !isInterval(text))
        return text;
    return QString::number(text.toDouble(), 'f', kIntervalDecimals);
}

std::optional<QString> TestEntryRules::checkInterval(MessageSink& messages,
                                                     const LanguageTables& language,
                                                     const QString& text) {
    if (isInterval(text))
        return formatInterval(text);
    ShowRangeError(messages, language, QStringLiteral("0"), QString::number(kIntervalHigh));
    return std::nullopt;
}

bool TestEntryRules::checkPaste(MessageSink& messages, const QString& text) {
    static const QRegularExpression upperHex(QStringLiteral("^[0-9A-F]*$"));
    if (upperHex.match(text).hasMatch())
        return true;
    messages.ShowMessage(MessageError,
                         QStringLiteral("設定値が不正です。\r\n貼り付けできません。"));
    return false;
}

} // namespace zel
