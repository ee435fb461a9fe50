#pragma once
// The camera's CPU in boot mode as the PC sees it on the line (8N1). A pure class: bytes in,
// answers out.
//   matching   0x00 is answered 0x00; 0x55 erases the flash and is answered 0xAA (0xFF on
//              an erase error)
//   boot       every byte is echoed: two length bytes (high first), then that many program
//              bytes; 0xAA follows once the boot program runs
//   running    block frames (DLE STX 01 84 block-high block-low, 128 bytes, DLE ETX, sum)
//              are written into the flash image and acknowledged with their block number;
//              after block 2047 the write is complete
#include "BootCpuFaults.h"
#include "SimDevice.h"
#include "cpuwriter/BootFrameParser.h"

#include <functional>

namespace zel::sim {

class BootCpuSim : public SimDevice {
public:
    static constexpr int FlashSize = 0x40000;
    static constexpr int BootStartMs = 20;                 // from the last echo to 0xAA
    static constexpr int EraseMs = 100;                    // from 0x55 to 0xAA or 0xFF
    static constexpr qsizetype ReceivedLogLimit = 1 << 20; // bytes kept of what came in

    enum class Phase { Matching, Boot, Running };

    explicit BootCpuSim(const BootCpuFaults& faults = {});

    QList<SimOutput> receive(const QByteArray& bytes, qint64 nowMs = 0) override;

    Phase phase() const { return m_phase; }
    const QByteArray& flash() const { return m_flash; }
    const QByteArray& bootBytes() const { return m_boot; }       // length bytes, then the program
    const QByteArray& receivedLog() const { return m_received; } // the first 1 MiB received
    bool completed() const { return m_completed; }
    int blocksWritten() const { return m_blocksWritten; }
    int badFrames() const { return m_badFrames; }
    BootCpuFaults& faults() { return m_faults; }

    // The block 2047 arrived: the whole flash image is written.
    std::function<void()> onCompleted;

private:
    void matchingByte(quint8 byte, QList<SimOutput>& out);
    void bootByte(quint8 byte, QList<SimOutput>& out);
    void runningByte(quint8 byte, QList<SimOutput>& out);
    void handleBlock(const QByteArray& content, QList<SimOutput>& out);
    static SimOutput reply(int code, bool badChecksum = false);

    BootCpuFaults m_faults;
    Phase m_phase = Phase::Matching;
    QByteArray m_flash;
    QByteArray m_boot;
    QByteArray m_received;
    BootFrameParser m_parser;
    int m_blocksWritten = 0;
    int m_badFrames = 0;
    bool m_completed = false;
};

} // namespace zel::sim
