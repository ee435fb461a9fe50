#pragma once
// Writes Motorola S-record text, for the simulator's stand-in boot program files, the tests
// and the benchmark: a header record, data records of one type, and the matching
// termination record (S1 with S9, S2 with S8, S3 with S7), each with its checksum.
#include <QByteArray>
#include <QString>

namespace zel::sim {

struct SRecordStyle {
    int dataType = 2;        // 1, 2 or 3: 16-, 24- or 32-bit addresses
    int bytesPerRecord = 32; // data bytes per record, 1..250
    QByteArray lineEnd = "\r\n";
};

// The records of `data` placed from `base` on.
QByteArray MakeSRecords(quint32 base, const QByteArray& data, const SRecordStyle& style = {});

// One record: type, address, data; the byte count and checksum are computed.
QByteArray MakeSRecordLine(int type, quint32 address, const QByteArray& data);

// A stand-in boot program of 2048 bytes for the CPU type's window (master 0xFFC000, slave
// 0xFFE400), as the files beside the program would hold it. The simulator never runs it.
QByteArray MakeStandInBootProgram(bool master);

// Writes the two stand-in boot program files into `folder`; false with a reason.
bool WriteStandInBootFiles(const QString& folder, QString* error);

} // namespace zel::sim
