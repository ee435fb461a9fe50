#include "TransactionText.h"

#include "FrameCodec.h"
#include "LinkEngine.h"
#include "LinkState.h"
#include "NetworkPortName.h"
#include "common/MessageNumber.h"
#include "shell/Settings.h"
#include "shell/TextPairs.h"
#include "shell/ToolTexts.h"

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

enum Piece : size_t { Camera, Block, Command, PieceCount };
constexpr std::array<TextPair, PieceCount> kPieces{{
    {u"camera %1", u"カメラ %1"},
    {u", block %1", u"、ブロック %1"},
    {u", command %1", u"、コマンド %1"},
}};
} // namespace

QString TransactionText(const LinkState& state, int languageIndex) {
    const QString& frameText = state.LastSentFrame;
    if (frameText.isEmpty())
        return {};
    const auto piece = [languageIndex](Piece id) { return TextOf(kPieces, id, languageIndex); };
    QString text = piece(Camera).arg(CameraDigitsOfFrame(frameText));
    // The last byte is part of the trailer when the frame carries no data.
    const int dataBytes = ReplyByteCount(frameText) - frame::kCommandOverhead;
    if (const int block = backupBlockOfFrame(frameText, dataBytes); block >= 0)
        return text + piece(Block).arg(block);
    if (state.BlockNo > 0)
        return text + piece(Block).arg(state.BlockNo);
    if (dataBytes > 0)
        text += piece(Command).arg(
            QStringLiteral("%1")
                .arg(ReplyByteAt(frameText, kFirstDataByte), 2, 16, QLatin1Char('0'))
                .toUpper());
    return text;
}

bool IsLinkMessage(int number) {
    return number == MessageTimeout || number == MessageNack || number == MessageBusy ||
           number == MessageReceiveError || number == MessageDataTooLarge;
}

QString LinkMessageDetail(const LinkEngine& engine, int number, int languageIndex) {
    if (!IsLinkMessage(number))
        return {};
    QString text = TransactionText(engine.state(), languageIndex);
    // A dropped connection also ends the wait with a time-out; only a real one gets the hint.
    if (number == MessageTimeout && IsNetworkPortName(engine.portDevice()) && engine.isPortOpen()) {
        if (!text.isEmpty())
            text += QStringLiteral("; ");
        text += toolText(languageIndex, ToolText::NetworkTimeoutHint)
                    .arg(engine.settings().timeOutWaitMs());
    }
    return text;
}

} // namespace zel
