#pragma once
// The flash writer with its own serial port and its two timers, as the CPU writer screen
// and zelctl use it.
#include "FlashWriter.h"
#include "common/QtTimer.h"
#include "link/AnyBytePort.h"

namespace zel {

class SerialFlashWriter {
public:
    SerialFlashWriter(Settings& settings, MessageSink& messages);
    FlashWriter& writer() { return m_writer; }
    const FlashWriter& writer() const { return m_writer; }

private:
    AnyBytePort m_port; // `MSCommCpuWriter`
    QtTimer m_timerCpuWrite;
    QtTimer m_pause;
    FlashWriter m_writer;
};

} // namespace zel
