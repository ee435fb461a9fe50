#pragma once
// What the data of a command frame asks the camera to do, in words, for the traffic log:
// "pan left, tilt up, speeds 60/60/8/8", "title read POSITION 12", "backup block 0007 (read)".
//
// Data layouts (command code first, hex):
//   20 bits [pan tilt zoom focus speeds]   bits: 7 NEAR 6 FAR 5 WIDE 4 TELE 3 left 2 right
//                                          1 down 0 up; speeds one byte each (80: acceleration off)
//   30 0n ii   AUX n OFF/ON        6E 01 ii  WDR      6E 02 ii  B/W      62 ii  iris
//   88 alarm ACTION   89 alarm RESET   40 STOP   41 ww ll auto-pan   A8 01/02 camera menu
//   A9 01 nn nn menu SET (packed decimal, FF FF: none)   A9 00 00 00 menu cancel
//   10/11/12 d1 d2  position go/store/clear (three digits, then a 0 nibble)
//   48/49/4C nn trace run/record/clear (two digits)   4A trace record stop   4D nn tour
//   21 ii turn limit   22 ii turn limit memory   42 ii / 43 ii auto-pan limit set / clear
//   14 PAN TILT (packed decimal) ZOOM D-ZOOM (16-bit)   absolute position GO
//   15 absolute position NOW (a data reply is asked)
//   B1 cat d1 d2 [16 code bytes]   title read / write     C1 hi lo [32 bytes] backup block
#include <QByteArray>
#include <QString>
#include <QVector>

namespace zel {

class TitleCharTable;

struct CommandName {
    int code;
    QString name; // "movement", "title", "backup block"
};

// Every command code the system sends, in the order of the panel, titles and backup.
const QVector<CommandName>& KnownCommands();
// Name of a command code, or "command XX" for an unknown one.
QString CommandNameOf(int code);

// The meaning of command data `data` (command code first). `titles` turns title codes into
// text; a length the command never has is said so, never read past.
QString DescribeCommand(const QByteArray& data, const TitleCharTable& titles);

// "POSITION 12", "CAMERA" for a title category code and the title number bytes at `at`
// (three decimal digits, then a 0 nibble); an unknown category is shown as its code.
QString DescribeTitleAddress(const QByteArray& data, qsizetype at);
// The 16 code bytes at `at` as a quoted title text.
QString DescribeTitleText(const QByteArray& data, qsizetype at, const TitleCharTable& titles);
// A block number as it goes on the wire: four hex digits.
QString BlockNumberText(const QByteArray& data, qsizetype at);

} // namespace zel
