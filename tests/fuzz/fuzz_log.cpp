// Communication log files: any bytes through the text checks, the line split and the log
// reader with its field checks and questions, then the decoding of every entry read.
#include "FuzzLink.h"
#include "common/TextFile.h"
#include "link/CommLogFile.h"
#include "link/FrameDecoder.h"

using namespace zel;
using namespace zel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    AnsweringSink sink;
    static constexpr int kAnswers[] = {ButtonYes, ButtonNo, ButtonCancel, ButtonOk};
    sink.answer = input.PickValueInArray(kAnswers);
    const TextFileRead file = DecodeTextFile(RemainingBytes(input));
    if (!file.ok)
        return 0;
    CommLogStore store;
    CommLogFile::loadLines(file.lines, store, sink);
    ZEL_FUZZ_ASSERT(store.count() <= CommLogStore::kCapacity);
    ZEL_FUZZ_ASSERT(store.count() <= file.lines.size());
    static FrameDecoder decoder;
    const QVector<DecodedFrame> decoded = decoder.decodeAll(store);
    ZEL_FUZZ_ASSERT(decoded.size() == store.count());
    for (const DecodedFrame& frame : decoded)
        ZEL_FUZZ_ASSERT(!frame.meaning.isEmpty());
    return 0;
}
