#pragma once
// Command data of the operation panel's keys, as hex text with the command code first.
//
// Numbers go into the data in one of two encodings, named per field:
//   binary          the value in hexadecimal, two characters per byte (16 gives 10)
//   packed decimal  the value in decimal with a fixed number of digits, two digits per byte,
//                   high digit first (23 with four digits gives 00 23)
//
//   20 bits pp tt zz ff  movement: bit byte (bit 7 NEAR, 6 FAR, 5 WIDE, 4 TELE, 3 left,
//                        2 right, 1 down, 0 up), then pan, tilt, zoom, focus speed (binary)
//   30 aa ii             auxiliary output aa (01..05), ii 01 OFF / 02 ON
//   6E 01 ii, 6E 02 ii   WDR, B/W: ii 00 RESET / 01 OFF / 02 ON
//   62 ii                iris: 00 RESET / 01 DARK / 02 BRIGHT
//   88, 89               alarm action, alarm reset
//   40, 41 ww ll         stop; auto-pan with way and turn (two decimal digits each)
//   A8 02, A8 01         open, close the camera menu
//   A9 01 nn nn, A9 00 00 00   menu SET (packed, FF FF without a number), menu cancel
//   10/11/12 d1 d2       position go / set / clear: three decimal digits, then a 0 nibble
//   48 nn, 49 nn, 4A, 4C nn    trace go, record, record stop, clear (two decimal digits)
//   4D nn                tour (binary)
//   21 ii, 22 ii         turn limit on/off/clear, turn limit memory L/R/U/D
//   42 ii, 43 ii         auto-pan limit set, clear (R 01, L 02)
//   14 pp pp tt tt zz zz dd dd   absolute position GO: PAN, TILT packed (4 digits),
//                                ZOOM, D-ZOOM binary 16-bit, high byte first
//   15                   absolute position NOW (a data reply is requested)
#include <QString>
#include <optional>

namespace zel::panel {

enum CommandCode : int {
    CodePosition = 0x10,
    CodePositionSet = 0x11,
    CodePositionClear = 0x12,
    CodeGo = 0x14,
    CodeNow = 0x15,
    CodeMove = 0x20,
    CodeTurnSet = 0x21,
    CodeTurnMemory = 0x22,
    CodeAux = 0x30,
    CodeStop = 0x40,
    CodeAutoPan = 0x41,
    CodePanLimitSet = 0x42,
    CodePanLimitClear = 0x43,
    CodeTrace = 0x48,
    CodeTraceRecord = 0x49,
    CodeTraceRecordStop = 0x4A,
    CodeTraceClear = 0x4C,
    CodeTour = 0x4D,
    CodeIris = 0x62,
    CodeWdrBw = 0x6E,
    CodeAlarmAction = 0x88,
    CodeAlarmReset = 0x89,
    CodeMenu = 0xA8,
    CodeMenuSet = 0xA9,
};

// The four speed bytes of command 20.
struct SpeedBytes {
    int pan = 0;
    int tilt = 0;
    int zoom = 0;
    int focus = 0;
};

// `BitsToHexByte`: eight "0"/"1" characters, the first is bit 7. Any other character counts
// as "0"; a text that is not eight characters long is read as far as it goes from the right.
QString BitsToHexByte(const QString& bits);

// Two characters for a code 0..255.
QString CodeText(int code);

QString MoveData(const QString& focusBits, const QString& zoomBits, const QString& panBits,
                 const QString& tiltBits, const std::optional<SpeedBytes>& speeds);
QString AuxData(int output, int index);
QString WdrData(int index);
QString BwData(int index);
QString IrisData(int index);
QString AlarmData(bool action);
QString StopData();
// Way and turn only while ACTIVE PRESET KEY is ticked, else 41 00 00.
QString AutoPanData(bool presetKeyActive, int way, int turn);
// A8 02 while the menu is not open ("2"), else A8 01.
QString MenuData(const QString& menuState);
// A9 01 FF FF without a number, else the number 0..9999 as four packed digits.
QString MenuSetData(std::optional<int> number);
QString MenuCancelData();
// Position go/set/clear (10, 11, 12) for position 0..255.
QString PositionData(int code, int position);
// TRACE: the last digit of the entry as two decimal digits.
QString TraceData(const QString& entry);
QString TraceRecordData(int trace);
QString TraceRecordStopData();
QString TraceClearData(int trace);
QString TourData(int tour);
QString IndexData(int code, int index); // 21, 22, 42, 43 with the key index as one byte
// GO from the four position numbers; std::nullopt when one does not fit its field.
std::optional<QString> GoData(int pan, int tilt, int zoom, int dZoom);
QString NowData();

} // namespace zel::panel
