#pragma once
// "Export CSV" of the traffic log: one line per shown entry with its time, direction, unit,
// data and meaning. UTF-8, fields quoted where they hold a comma, quote or line break, CR LF.
//
//   time_ms,wall_clock,direction,unit,data,meaning
//   125,2026-12-06 19:01:02.345,sent,HOST1:,FE080010012038FFFF,"CAM 1 ← REMOTE 1: ..."
#include "CommLogStore.h"
#include "FrameDecoder.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace zel {

class MessageSink;

struct CommLogRow {
    CommLogEntry entry;
    DecodedFrame decoded;
};

class CommLogCsv {
public:
    static QString header();
    static QString line(const CommLogRow& row);
    // Time since the recording start as shown in the log: "01:02.345" ("1:01:02.345" past an
    // hour); empty for an entry without a time.
    static QString elapsedText(qint64 elapsedMs);
    // Wall clock to the millisecond in local time; empty for an entry without a time.
    static QString wallClockText(qint64 wallClockMs);

    // Writes every row; false (message 24) when the file cannot be written, which leaves an
    // existing file as it was.
    static bool write(const QString& path, const QVector<CommLogRow>& rows, MessageSink& messages);
};

} // namespace zel
