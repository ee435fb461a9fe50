#include "TransactionText.h"

#include "FrameCodec.h"
#include "LinkEngine.h"
#include "LinkState.h"
#include "NetworkPortName.h"
#include "common/MessageNumber.h"
#include "shell/Settings.h"

namespace zel {

namespace {
constexpr int kFirstDataByte = 5;
constexpr int kBackupCommand = 0xC1;

// A backup frame names its block right after the command; the transfer has already
// counted on to the next block while the reply is awaited.
int backupBlockOfFrame(const QString& frameText, int dataBytes) {
    if (dataBytes < 3 || ReplyByteAt(frameText, kFirstDataByte) != kBackupCommand)
        return -1;
    const int high = ReplyByteAt(frameText, kFirstDataByte + 1);
    const int low = ReplyByteAt(frameText, kFirstDataByte + 2);
    return high < 0 || low < 0 ? -1 : high * 256 + low;
}
} // namespace

QString TransactionText(const LinkState& state) {
    const QString& frameText = state.LastSentFrame;
    if (frameText.isEmpty())
        return {};
    QString text = QStringLiteral("camera %1").arg(CameraDigitsOfFrame(frameText));
    // The last byte is part of the trailer when the frame carries no data.
    const int dataBytes = ReplyByteCount(frameText) - frame::kCommandOverhead;
    if (const int block = backupBlockOfFrame(frameText, dataBytes); block >= 0)
        return text + QStringLiteral(", block %1").arg(block);
    if (state.BlockNo > 0)
        return text + QStringLiteral(", block %1").arg(state.BlockNo);
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

QString LinkMessageDetail(const LinkEngine& engine, int number) {
    if (!IsLinkMessage(number))
        return {};
    QString text = TransactionText(engine.state());
    // A dropped connection also ends the wait with a time-out; only a real one gets the hint.
    if (number == MessageTimeout && IsNetworkPortName(engine.portDevice()) && engine.isPortOpen()) {
        if (!text.isEmpty())
            text += QStringLiteral("; ");
        text += QStringLiteral("over a network, raise [RsWait] TimeOutWait in zel.ini (now %1 ms)")
                    .arg(engine.settings().timeOutWaitMs());
    }
    return text;
}

} // namespace zel
