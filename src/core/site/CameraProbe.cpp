#include "CameraProbe.h"

#include "link/FrameCodec.h"
#include "link/FrameDecoder.h"
#include "link/LinkEngine.h"

namespace zel {

namespace {
const QString kCameraTitleRead = QStringLiteral("B1020000");
constexpr qsizetype kTitleCodesAt = 18; // hex characters: FD, length, address, B1, 02, 00 00
constexpr qsizetype kTitleCodeChars = 32;
} // namespace

CameraProbe::CameraProbe(LinkEngine& engine, int languageIndex)
    : m_engine(engine), m_titles(languageIndex) {}

bool CameraProbe::probe(int camera, const QString& remoteNo) {
    if (!m_engine.isIdle())
        return false;
    m_camera = camera;
    m_engine.claim(this);
    const CommSendRecord record{QString::number(camera), remoteNo, QStringLiteral("True"),
                                QStringLiteral("0"), QString::number(kScreenCode)};
    return m_engine.SendCommandFrame(record, kCameraTitleRead) == LinkEngine::kSendOk;
}

void CameraProbe::replyComplete() {
    const QString reply = m_engine.state().ReceiveBuffer.toUpper();
    ProbeAnswer answer;
    answer.answered = true;
    answer.kind = FrameDecoder::replyWord(ClassifyReply(reply));
    if (answer.kind.isEmpty() && ReplyChecksumOk(reply) &&
        reply.size() >= kTitleCodesAt + kTitleCodeChars + 6) {
        answer.kind = QStringLiteral("data");
        answer.title = m_titles.TitleCodesToText(reply.mid(kTitleCodesAt, kTitleCodeChars));
    } else if (answer.kind.isEmpty()) {
        answer.kind = QStringLiteral("bad reply");
    }
    m_engine.ResetLinkState();
    if (onAnswer)
        onAnswer(m_camera, answer);
}

void CameraProbe::replyTimedOut() {
    if (onAnswer)
        onAnswer(m_camera, ProbeAnswer{});
}

} // namespace zel
