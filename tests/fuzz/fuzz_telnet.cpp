// What a serial device server sends over RFC 2217: any bytes, cut at any point, through the
// Telnet decoder and the negotiation. Line data never holds more than came in, a
// subnegotiation never grows past its limit, and the negotiation only ever answers with
// well-formed commands.
#include "FuzzLink.h"
#include "link/Rfc2217Negotiation.h"
#include "link/TelnetCodec.h"

using namespace zel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype cut = size > 0 ? data[0] % (bytes.size() + 1) : 0;
    PortLineSettings line;
    Rfc2217Negotiation negotiation(line);
    negotiation.start();
    telnet::Decoder decoder;
    qsizetype dataBytes = 0;
    for (const QByteArray& piece : {bytes.left(cut), bytes.mid(cut)}) {
        decoder.setPeerBinary(negotiation.peerBinary());
        const telnet::Decoded decoded = decoder.feed(piece);
        dataBytes += decoded.data.size();
        for (const telnet::Event& event : decoded.events) {
            ZEL_FUZZ_ASSERT(event.payload.size() <= telnet::kMaxSubnegotiation);
            const QByteArray answer = negotiation.take(event);
            ZEL_FUZZ_ASSERT(answer.isEmpty() || static_cast<uint8_t>(answer[0]) == telnet::IAC);
        }
    }
    ZEL_FUZZ_ASSERT(dataBytes <= bytes.size());
    return 0;
}
