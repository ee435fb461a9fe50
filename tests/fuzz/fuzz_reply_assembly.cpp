// Reply assembly: bytes arriving in any batches, time-outs, retries and a pulled port, with
// the completeness, overflow and checksum rules applied to whatever is gathered.
#include "FuzzLink.h"
#include "common/HexText.h"
#include "link/FrameCodec.h"
#include "link/LinkClient.h"

using namespace zel;
using namespace zel::fuzz;

// Reads every complete reply as the screens do and asks for the next one.
class ReadingClient : public LinkClient {
public:
    ReadingClient(LinkEngine& engine, int screenCode) : m_engine(engine), m_screen(screenCode) {}

    bool send(const QString& camera) {
        m_engine.claim(this);
        const CommSendRecord record{camera, u"1"_qs, u"True"_qs, u"0"_qs,
                                    QString::number(m_screen)};
        return m_engine.SendCommandFrame(record, u"C10001"_qs) == LinkEngine::kSendOk;
    }
    void replyComplete() override {
        const QString reply = m_engine.state().ReceiveBuffer;
        ZEL_FUZZ_ASSERT(ClassifyReply(reply) != ReplyKind::Incomplete);
        ZEL_FUZZ_ASSERT(reply.size() <= LinkEngine::kReceiveLimit);
        if (IsDataReply(reply))
            m_engine.CheckReplyChecksum();
        const int count = ReplyByteCount(reply);
        for (int i = -1; i <= count + 1; ++i) {
            const int byte = ReplyByteAt(reply, i);
            ZEL_FUZZ_ASSERT(byte >= -1 && byte <= 0xFF);
        }
        send(u"1"_qs);
    }
    void replyTimedOut() override { send(u"1"_qs); }

private:
    LinkEngine& m_engine;
    int m_screen;
};

// The pure rules on the input taken as gathered hex text.
static void checkRules(const QString& text) {
    const ReplyKind kind = ClassifyReply(text);
    if (IsDataReply(text))
        ZEL_FUZZ_ASSERT(kind == ReplyKind::Data);
    ReplyChecksumOk(text);
    CameraDigitsOfFrame(text);
    LeadingNumber(text);
    if (const auto bytes = HexTextToBytes(text))
        ZEL_FUZZ_ASSERT(BytesToHexText(*bytes) == text.toUpper());
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    checkRules(
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    FuzzedDataProvider input(data, size);
    FuzzLink link;
    static constexpr int kScreens[] = {ScreenPanel, ScreenTitle, ScreenBackup, ScreenCommTest};
    ReadingClient client(link.engine, input.PickValueInArray(kScreens));
    client.send(input.ConsumeBool() ? u"1"_qs : u"0"_qs);
    link.playLine(input, [&link] {
        ZEL_FUZZ_ASSERT(link.engine.state().ReceiveBuffer.size() <= LinkEngine::kReceiveLimit);
        ZEL_FUZZ_ASSERT(link.log.count() <= CommLogStore::kCapacity);
    });
    return 0;
}
