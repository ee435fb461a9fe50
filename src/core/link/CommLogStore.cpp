#include "CommLogStore.h"

#include <QDateTime>
#include <QElapsedTimer>

namespace zel {

CommLogClock CommLogClock::system() {
    return {[] {
                static QElapsedTimer steady = [] {
                    QElapsedTimer timer;
                    timer.start();
                    return timer;
                }();
                return steady.elapsed();
            },
            [] { return QDateTime::currentMSecsSinceEpoch(); }};
}

void CommLogStore::setClock(CommLogClock clock) {
    m_clock = std::move(clock);
    m_startMs = m_clock.monotonicMs();
}

void CommLogStore::Add_MsFlexGrid(const QString& unit, const QString& data) {
    const CommLogEntry entry{unit, data, m_clock.monotonicMs() - m_startMs, m_clock.wallClockMs()};
    if (m_ring.size() < kCapacity) {
        if (m_ring.capacity() < kCapacity)
            m_ring.reserve(kCapacity);
        m_ring.append(entry);
    } else {
        // Full: the oldest entry makes room for the newest.
        m_ring[m_head] = entry;
        m_head = (m_head + 1) % kCapacity;
    }
    if (onChanged)
        onChanged();
}

void CommLogStore::Add_MsFlexGrid_Host(const QString& remoteNo, const QString& frame) {
    if (m_recording)
        Add_MsFlexGrid(QStringLiteral("HOST") + remoteNo + QLatin1Char(':'), frame);
}

void CommLogStore::Add_MsFlexGrid_Cam(const QString& cameraNo, const QString& reply) {
    if (m_recording)
        Add_MsFlexGrid(QStringLiteral("CAMERA") + cameraNo + QLatin1Char(':'), reply);
}

void CommLogStore::startRecording() {
    m_recording = true;
    m_startMs = m_clock.monotonicMs();
    clear();
}

void CommLogStore::stopRecording() {
    m_recording = false;
    if (onChanged)
        onChanged();
}

int CommLogStore::count() const {
    return static_cast<int>(m_ring.size());
}

const CommLogEntry& CommLogStore::entry(int index) const {
    static const CommLogEntry kNone;
    if (index < 0 || index >= count())
        return kNone;
    return m_ring[(m_head + index) % m_ring.size()];
}

void CommLogStore::clear() {
    m_ring.clear();
    m_head = 0;
    if (onChanged)
        onChanged();
}

void CommLogStore::replaceAll(QVector<CommLogEntry> entries) {
    if (entries.size() > kCapacity)
        entries.resize(kCapacity);
    m_ring = std::move(entries);
    m_head = 0;
    if (onChanged)
        onChanged();
}

} // namespace zel
