#pragma once
// The communication log: the newest 3000 frames sent and received while recording is on.
#include <QString>
#include <QVector>
#include <functional>

namespace zel {

struct CommLogEntry {
    QString unit; // "HOST<remote>:" or "CAMERA<camera>:" (without the colon after a file load)
    QString data; // frame as hex text
    // When the entry was stored: ms since the recording started, and the wall clock (ms since
    // the epoch). -1 for entries read from a file, which holds no times.
    qint64 elapsedMs = -1;
    qint64 wallClockMs = -1;
};

// The clocks the log stamps its entries with; tests set their own.
struct CommLogClock {
    std::function<qint64()> monotonicMs; // steady, for the time since the start
    std::function<qint64()> wallClockMs; // ms since the epoch, for the hover text
    static CommLogClock system();
};

class CommLogStore {
public:
    static constexpr int kCapacity = 3000;

    // Appends one entry; past 3000 the oldest is dropped.
    void Add_MsFlexGrid(const QString& unit, const QString& data);
    // Called by the engine for every frame sent / every complete reply; kept only while
    // recording.
    void Add_MsFlexGrid_Host(const QString& remoteNo, const QString& frame);
    void Add_MsFlexGrid_Cam(const QString& cameraNo, const QString& reply);

    void startRecording(); // LOG START: empties the store
    void stopRecording();  // LOG STOP
    bool isRecording() const { return m_recording; }

    int count() const;
    const CommLogEntry& entry(int index) const; // 0 = oldest; index must be < count()
    void clear();
    // Replaces the whole store (file load); at most 3000 entries kept.
    void replaceAll(QVector<CommLogEntry> entries);

    std::function<void()> onChanged; // the window's model refreshes

    // Replaces the clocks; the recording start moves to now.
    void setClock(CommLogClock clock);

private:
    QVector<CommLogEntry> m_ring; // circular once full
    int m_head = 0;               // index of the oldest entry when full
    bool m_recording = false;
    CommLogClock m_clock = CommLogClock::system();
    qint64 m_startMs = m_clock.monotonicMs(); // monotonic time of the recording start
};

} // namespace zel
