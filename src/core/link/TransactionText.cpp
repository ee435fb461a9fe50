#include "TransactionText.h"

#include "FrameCodec.h"
#include "LinkState.h"
#include "common/MessageNumber.h"

namespace zel {

namespace {
constexpr int kFirstDataByte = 5;
} // namespace

QString TransactionText(const LinkState& state) {
    const QString& frameText = state.LastSentFrame;
    if (frameText.isEmpty())
        return {};
    QString text = QStringLiteral("camera %1").arg(CameraDigitsOfFrame(frameText));
    if (state.BlockNo > 0)
        return text + QStringLiteral(", block %1").arg(state.BlockNo);
    // The last byte is part of the trailer when the frame carries no data.
    const int dataBytes = ReplyByteCount(frameText) - frame::kCommandOverhead;
    if (dataBytes > 0)
        text += QStringLiteral(", command %1")
                    .arg(QStringLiteral("%1")
                             .arg(ReplyByteAt(frameText, kFirstDataByte), 2, 16, QLatin1Char('0'))
                             .toUpper());
    return text;
}

bool IsLinkMessage(int number) {
    return number == MessageTimeout || number == MessageNack || number == MessageBusy ||
           number == MessageReceiveError || number == MessageDataTooLarge;
}

} // namespace zel
