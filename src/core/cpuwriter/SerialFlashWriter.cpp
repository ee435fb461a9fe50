#include "SerialFlashWriter.h"

namespace zel {

SerialFlashWriter::SerialFlashWriter(Settings& settings, MessageSink& messages)
    : m_writer(m_port, m_timerCpuWrite, m_pause, settings, messages) {}

} // namespace zel
