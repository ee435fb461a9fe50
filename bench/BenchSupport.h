#pragma once
// Shared by the benchmarks: a message sink that counts (and names on stderr) what a run
// showed, and the wire time of a byte count.
#include "common/MessageSink.h"

#include <cstdio>

namespace zel::bench {

class CountingSink : public MessageSink {
public:
    int ShowMessage(int number, const QString&) override {
        std::fprintf(stderr, "message %d\n", number);
        ++shown;
        return ButtonOk;
    }
    int shown = 0;
};

// Seconds `bytes` take on a line of `bitRate` with `bitsPerByte` bits a byte.
inline double wireSeconds(long long bytes, double bitsPerByte, int bitRate) {
    return double(bytes) * bitsPerByte / bitRate;
}

} // namespace zel::bench
