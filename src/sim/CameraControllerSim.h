#pragma once
// The camera controller and its cameras as the PC sees them on the line: command frames in,
// answers out (ACK 0x06, NACK 0x15, BUSY 0x00 or a data reply). A pure class: the host
// passes in the bytes it received with the time, and sends what comes back.
//
// Data reply: FD, length (bytes after FD), the three address bytes of the command, payload
// (command code first), checksum (XOR of all bytes before it, XOR 0xFF), FF FF.
//   15 NOW:      payload 15 PAN TILT ZOOM D-ZOOM (16-bit each, high byte first)  17 bytes
//   B1 read:     payload B1 category d1 d2 + eight title codes                    28 bytes
//   C1 read:     payload C1 block-high block-low + 32 setting bytes               43 bytes
#include "CameraUnit.h"
#include "DeviceFrameReader.h"
#include "FaultPlan.h"
#include "SimDevice.h"
#include "SimOutput.h"

#include <QHash>
#include <QList>
#include <functional>
#include <memory>
#include <random>
#include <vector>

namespace zel::sim {

class CameraControllerSim : public SimDevice {
public:
    static constexpr int DefaultCameraCount = 8;
    static constexpr int MaxCameraCount = 255;
    static constexpr int PartialFrameTimeoutMs = 1000; // a torn frame is forgotten after this

    explicit CameraControllerSim(int cameraCount = DefaultCameraCount, quint32 seed = 1);
    ~CameraControllerSim();

    // Bytes from the line at time `nowMs` (any monotonic clock); the answers to every frame
    // they complete, in order.
    QList<SimOutput> receive(const QByteArray& bytes, qint64 nowMs = 0) override;

    FaultPlan& faultPlan() { return m_faults; }
    void setFaultPlan(const FaultPlan& plan) { m_faults = plan; }
    void setSeed(quint32 seed) { m_random.seed(seed); }

    int cameraCount() const { return int(m_cameras.size()); }
    bool hasCamera(int cameraNo) const;
    CameraUnit& camera(int cameraNo); // cameraNo 1..cameraCount()

    // Traffic counters: good frames per command code, all frames, frames with a bad checksum.
    int frameCount(int command) const { return m_frameCounts.value(command); }
    int framesReceived() const { return m_framesReceived; }
    int badChecksumFrames() const { return m_badChecksumFrames; }
    qint64 skippedBytes() const { return m_reader.skippedBytes(); }
    void resetCounters();

    // One line per frame in and answer out, for --verbose.
    std::function<void(const QString&)> onTrace;

private:
    struct Answer;
    QList<SimOutput> answerFrame(const DeviceFrame& frame, qint64 nowMs);
    Answer execute(const DeviceFrame& frame, qint64 nowMs);
    Answer executeMove(CameraUnit& unit, const DeviceFrame& frame, qint64 nowMs);
    Answer executeGo(CameraUnit& unit, const DeviceFrame& frame, qint64 nowMs);
    Answer executePreset(CameraUnit& unit, const DeviceFrame& frame, qint64 nowMs);
    Answer executeNow(CameraUnit& unit, const DeviceFrame& frame, qint64 nowMs);
    Answer executeTitle(CameraUnit& unit, const DeviceFrame& frame);
    Answer executeBackup(CameraUnit& unit, const DeviceFrame& frame);
    QByteArray encodeAnswer(const Answer& answer, const DeviceFrame& frame);
    QList<SimOutput> shapeOutput(const QByteArray& reply, int command, int number);
    void trace(const DeviceFrame& frame, const QByteArray& reply, const char* note);

    std::vector<std::unique_ptr<CameraUnit>> m_cameras;
    DeviceFrameReader m_reader;
    FaultPlan m_faults;
    std::mt19937 m_random;
    QHash<int, int> m_frameCounts;
    int m_framesReceived = 0;
    int m_badChecksumFrames = 0;
    qint64 m_lastByteMs = 0;
};

} // namespace zel::sim
