#pragma once
// One simulated camera behind the controller: its 32000 bytes of settings, its 302 titles,
// its presets and its pan/tilt/zoom position, which moves with the time the host passes in.
#include <QByteArray>
#include <QHash>

namespace zel::sim {

struct CameraPosition {
    int pan = 0;   // 0..PanMax
    int tilt = 0;  // 0..TiltMax
    int zoom = 0;  // 0..ZoomMax
    int dZoom = 0; // 0..DZoomMax
    bool operator==(const CameraPosition&) const = default;
};

// One movement order of command 20: direction bits and the four speed bytes.
struct MoveOrder {
    int bits = 0; // bit 0 up, 1 down, 2 right, 3 left, 4 TELE, 5 WIDE, 6 FAR, 7 NEAR
    int panSpeed = 30;
    int tiltSpeed = 30;
    int zoomSpeed = 4;
};

class CameraUnit {
public:
    static constexpr int SettingsSize = 32000;
    static constexpr int BlockSize = 32;
    static constexpr int BlockCount = 1000;
    static constexpr int TitleCount = 302;
    static constexpr int TitleBytes = 16; // eight 16-bit codes, high byte first
    static constexpr int PanMax = 7200;
    static constexpr int TiltMax = 3800;
    static constexpr int ZoomMax = 25600;
    static constexpr int DZoomMax = 470;

    explicit CameraUnit(int cameraNo);

    int cameraNo() const { return m_cameraNo; }

    // Settings memory, whole or one 32-byte block (1..BlockCount).
    const QByteArray& settings() const { return m_settings; }
    bool setSettings(const QByteArray& bytes); // false unless exactly SettingsSize bytes
    QByteArray block(int blockNo) const;       // empty for a block number out of range
    bool writeBlock(int blockNo, const QByteArray& bytes);

    // Titles by camera category code (0x02..0x0A) and title number; -1 / empty when the
    // category has no such title.
    static int titleIndex(int categoryCode, int titleNo);
    QByteArray titleCodes(int categoryCode, int titleNo) const;
    bool setTitleCodes(int categoryCode, int titleNo, const QByteArray& codes);
    // Eight title codes spelling an upper-case ASCII text (digits, letters, space).
    static QByteArray encodeTitle(const QByteArray& text);

    // Position at the given time; movement runs between the calls.
    CameraPosition position(qint64 nowMs);
    void move(const MoveOrder& order, qint64 nowMs);
    void stop(qint64 nowMs);
    bool goTo(const CameraPosition& target, qint64 nowMs); // false when out of range
    void storePreset(int presetNo, qint64 nowMs);
    void recallPreset(int presetNo, qint64 nowMs);
    void clearPreset(int presetNo);
    bool isMoving() const;

    // The settings pattern a fresh camera starts with.
    static QByteArray initialSettings(int cameraNo);

private:
    void advanceTo(qint64 nowMs);
    void fillDefaultTitles();

    int m_cameraNo;
    QByteArray m_settings;
    QByteArray m_titles; // TitleCount * TitleBytes
    QHash<int, CameraPosition> m_presets;
    // Axes in thousandths of a unit, rates in units per second (= thousandths per ms).
    qint64 m_panMilli = 0;
    qint64 m_tiltMilli = 0;
    qint64 m_zoomMilli = 0;
    int m_dZoom = 0;
    int m_panRate = 0;
    int m_tiltRate = 0;
    int m_zoomRate = 0;
    qint64 m_lastUpdateMs = 0;
};

} // namespace zel::sim
