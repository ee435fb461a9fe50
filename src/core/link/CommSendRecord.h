#pragma once
#include <QString>

namespace zel {

// The five text fields a screen hands to SendCommandFrame.
struct CommSendRecord {
    QString CameraNo;   // decimal text, 0..999 (0: no reply awaited)
    QString RemoteNo;   // decimal text, 1..99
    QString Request;    // "True": data reply requested; anything else: ACK expected
    QString Raw;        // "0": build a frame; non-zero: send the data text unchanged
    QString ScreenCode; // "0", "1", "2" or "5"
};

// Which screen's transaction is in flight.
enum ScreenCodeValue {
    ScreenPanel = 0,
    ScreenTitle = 1,
    ScreenBackup = 2,
    ScreenCommTest = 5,
    ScreenIdle = 7,
};

} // namespace zel
