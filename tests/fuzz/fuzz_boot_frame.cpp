// Boot-mode replies: any bytes through the frame reader, which must stay within its states
// and its content buffer whatever arrives.
#include "FuzzLink.h"
#include "cpuwriter/BootFrameParser.h"

using namespace zel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BootFrameParser parser;
    for (size_t i = 0; i < size; ++i) {
        const BootFrameParser::Result result = parser.feed(data[i]);
        ZEL_FUZZ_ASSERT(parser.state() >= 0 && parser.state() <= 5);
        ZEL_FUZZ_ASSERT(parser.content().size() <= BootFrameParser::kContentLimit);
        if (result == BootFrameParser::Result::Error)
            ZEL_FUZZ_ASSERT(parser.state() == 0);
    }
    return 0;
}
