#include "SiteSummary.h"

#include "common/MessageNumber.h"
#include "shell/TextPairs.h"

#include <algorithm>

namespace zel {

bool SiteSummary::allOk() const {
    return failedCount() == 0;
}

int SiteSummary::failedCount() const {
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(),
                                          [](const CameraOutcome& row) { return !row.ok; }));
}

namespace {

enum SiteText : size_t {
    Header,
    Count,
    Ok,
    NoAnswer,
    Nack,
    ReceiveError,
    ReplyTooLarge,
    PortError,
    CannotSave,
    Stopped,
    Failed,
    Skipped,
    TextCount
};

constexpr std::array<TextPair, TextCount> kTexts{{
    {u"camera  result           bytes  seconds", u"カメラ  結果             バイト     秒"},
    {u"%1 of %2 cameras done, %3 failed", u"%2 台中 %1 台完了、%3 台失敗"},
    {u"ok", u"完了"},
    {u"no answer", u"応答なし"},
    {u"NACK", u"NACK"},
    {u"receive error", u"受信エラー"},
    {u"reply too large", u"応答が大きすぎる"},
    {u"port error", u"ポートエラー"},
    {u"cannot save", u"保存できない"},
    {u"stopped", u"中止"},
    {u"failed (message %1)", u"失敗 (メッセージ %1)"},
    {u"camera %1: %2, skipped", u"カメラ %1: %2、スキップ"},
}};

QString text(SiteText id, int languageIndex) {
    return TextOf(kTexts, id, languageIndex);
}

} // namespace

QString SiteSummary::table(int languageIndex) const {
    QString out = text(Header, languageIndex) + QLatin1Char('\n');
    for (const CameraOutcome& row : m_rows)
        out += QStringLiteral("%1  %2 %3  %4\n")
                   .arg(row.camera, 6)
                   .arg(row.result, -15)
                   .arg(row.bytes, 6)
                   .arg(QString::number(double(row.milliseconds) / 1000.0, 'f', 1), 7);
    return out +
           text(Count, languageIndex)
               .arg(m_rows.size() - failedCount())
               .arg(m_rows.size())
               .arg(failedCount()) +
           QLatin1Char('\n');
}

QString SiteSummary::okResult(int languageIndex) {
    return text(Ok, languageIndex);
}

QString SiteSummary::skippedLine(int camera, const QString& result, int languageIndex) {
    return text(Skipped, languageIndex).arg(camera).arg(result);
}

QString SiteSummary::resultForMessage(int messageNumber, int languageIndex) {
    switch (messageNumber) {
    case MessageTimeout:
        return text(NoAnswer, languageIndex);
    case MessageNack:
        return text(Nack, languageIndex);
    case MessageReceiveError:
        return text(ReceiveError, languageIndex);
    case MessageDataTooLarge:
        return text(ReplyTooLarge, languageIndex);
    case MessagePortOpenError:
        return text(PortError, languageIndex);
    case MessageCannotSave:
        return text(CannotSave, languageIndex);
    case 0:
        return text(Stopped, languageIndex);
    default:
        return text(Failed, languageIndex).arg(messageNumber);
    }
}

} // namespace zel
