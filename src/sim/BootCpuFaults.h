#pragma once
// Faults of the simulated CPU in boot mode. Block numbers 0..2047; -1 switches a fault off.
namespace zel::sim {

struct BootCpuFaults {
    bool noCpu = false;      // nothing is ever answered (no CPU on the line)
    bool eraseError = false; // 0xFF instead of 0xAA after 0x55
    int busyBlock = -1;      // block whose acknowledgement follows `busyCount` 0x1000 replies
    int busyCount = 1;
    int writeErrorBlock = -1;  // block answered 0x1001 (flash write error)
    int badChecksumBlock = -1; // block whose reply checksum is one too high
    int silentAfterBlock = -1; // blocks after this one are not answered

    bool any() const {
        return noCpu || eraseError || busyBlock >= 0 || writeErrorBlock >= 0 ||
               badChecksumBlock >= 0 || silentAfterBlock >= 0;
    }
};

} // namespace zel::sim
