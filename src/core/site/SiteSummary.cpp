#include "SiteSummary.h"

#include "common/MessageNumber.h"

#include <algorithm>

namespace zel {

bool SiteSummary::allOk() const {
    return failedCount() == 0;
}

int SiteSummary::failedCount() const {
    return static_cast<int>(std::count_if(m_rows.begin(), m_rows.end(),
                                          [](const CameraOutcome& row) { return !row.ok; }));
}

QString SiteSummary::table() const {
    QString text = QStringLiteral("camera  result           bytes  seconds\n");
    for (const CameraOutcome& row : m_rows)
        text += QStringLiteral("%1  %2 %3  %4\n")
                    .arg(row.camera, 6)
                    .arg(row.result, -15)
                    .arg(row.bytes, 6)
                    .arg(QString::number(double(row.milliseconds) / 1000.0, 'f', 1), 7);
    text += QStringLiteral("%1 of %2 cameras done, %3 failed\n")
                .arg(m_rows.size() - failedCount())
                .arg(m_rows.size())
                .arg(failedCount());
    return text;
}

QString SiteSummary::resultForMessage(int messageNumber) {
    switch (messageNumber) {
    case MessageTimeout:
        return QStringLiteral("no answer");
    case MessageNack:
        return QStringLiteral("NACK");
    case MessageReceiveError:
        return QStringLiteral("receive error");
    case MessageDataTooLarge:
        return QStringLiteral("reply too large");
    case MessagePortOpenError:
        return QStringLiteral("port error");
    case MessageCannotSave:
        return QStringLiteral("cannot save");
    case 0:
        return QStringLiteral("stopped");
    default:
        return QStringLiteral("failed (message %1)").arg(messageNumber);
    }
}

} // namespace zel
