#pragma once
// The Motorola S-record decoder and the conversion of a file's records into an image.
//
// Record layout (characters counted from 0):
//   0      'S'
//   1      type: 0 header, 1/2/3 data with a 16/24/32-bit address, 7/8/9 termination
//   2..3   byte count n (address + data + checksum bytes)
//   4..    address (4, 6 or 8 characters), then 2(n - 3/4/5) data characters, checksum
// The checksum is not checked and n is not compared with the line length; every field
// read must lie inside the line and be hexadecimal, or the record is malformed.
#include "SRecordWindow.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace zel {

enum class SRecordKind {
    NotRecord,   // the line does not start with 'S'
    Header,      // S0: skipped
    Data,        // S1, S2, S3
    Termination, // S7, S8, S9: the conversion ends here
    Invalid,     // S4, S5, S6 or another type
    Malformed,   // a field is not hexadecimal or runs past the end of the line
};

struct SRecord {
    SRecordKind kind = SRecordKind::NotRecord;
    int type = -1; // 0..15 when the type character is hexadecimal
    quint32 address = 0;
    QByteArray data;
};

// The shortest line `Convert` accepts: an S9 record with a 16-bit address.
constexpr int kMinSRecordLine = 10;

SRecord ParseSRecord(QStringView line);

// Writes the data records of `lines` into `image` through `window`. True only when a
// termination record was reached and every record before it was a header or a data record
// inside the window (and inside `image`). Later records overwrite earlier bytes. When it is
// false, `why` (when given) says which line stopped it and why ("line 12: ...").
bool Convert(const QStringList& lines, const SRecordWindow& window, QByteArray& image,
             QString* why = nullptr);

} // namespace zel
