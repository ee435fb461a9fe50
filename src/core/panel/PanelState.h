#pragma once
// The operation panel's state: the fields of command 20 and the speeds, modes and boxes the
// panel's controls hold. Every field takes its start value each time the panel loads.
#include "PanelKeys.h"

#include <QString>
#include <array>

namespace zel::panel {

// NORMAL-mode speed choices of the option buttons.
inline constexpr std::array<int, 6> kPanTiltSpeeds{1, 3, 7, 15, 30, 60};
inline constexpr std::array<int, 4> kZoomFocusSpeeds{2, 4, 6, 8};

// TEST-mode speed boxes `TextKey`(0..3): tilt, zoom, focus, pan.
enum TestSpeedBox { TestTilt, TestZoom, TestFocus, TestPan, TestBoxCount };
inline constexpr std::array<int, TestBoxCount> kTestSpeedMax{127, 8, 8, 127};

inline const QString kFieldStop = QStringLiteral("00");

struct PanelState {
    // Direction fields: "00" stop; pan "01" right "10" left; tilt "01" up "10" down;
    // zoom "01" TELE "10" WIDE; focus "01" FAR "10" NEAR "11" AF.
    QString PanBits = kFieldStop;
    QString TiltBits = kFieldStop;
    QString ZoomBits = kFieldStop;
    QString FocusBits = kFieldStop;
    int PanSpeed = 60;
    int TiltSpeed = 60;
    int ZoomSpeed = 8;
    int FocusSpeed = 8;
    int AutoPanWay = 1;                      // 1..4: RE, S, RA, P
    int AutoPanLR = 2;                       // 1 T-R, 2 T-L
    QString MenuState = QStringLiteral("1"); // "2" while the camera menu is open
    int LastHeldKey = KeyNone;
    bool StopPending = false;
    bool PanelReady = false;

    // What the controls hold.
    QString CameraNo = QStringLiteral("1"); // `LabelCamNo` caption
    QString RemoteNo = QStringLiteral("1"); // `TextHostNo`
    int SpeedMode = ModeNormal;
    bool PresetKeyActive = false; // `CheckPanel`
    std::array<QString, TestBoxCount> TestSpeedText{QStringLiteral("127"), QStringLiteral("8"),
                                                    QStringLiteral("8"), QStringLiteral("127")};
    std::array<int, TestBoxCount> TestSpeedValue{127, 8, 8, 127}; // the scroll bars
    std::array<QString, 4> PositionText{QStringLiteral("0"), QStringLiteral("0"),
                                        QStringLiteral("0"), QStringLiteral("0")};
    std::array<int, 4> PositionValue{0, 0, 0, 0}; // the scroll bars

    bool isMoving() const {
        return PanBits != kFieldStop || TiltBits != kFieldStop || ZoomBits != kFieldStop ||
               FocusBits != kFieldStop;
    }
    void clearDirections() { PanBits = TiltBits = ZoomBits = FocusBits = kFieldStop; }
};

} // namespace zel::panel
