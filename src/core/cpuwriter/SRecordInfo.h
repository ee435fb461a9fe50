#pragma once
// What an S-record file holds, for inspection without writing anything: how many records
// of each type, which addresses the data records cover, and which windows it converts into.
#include "SRecordWindow.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace zel {

struct SRecordRange {
    quint64 first = 0;
    quint64 last = 0; // inclusive
    bool operator==(const SRecordRange&) const = default;
};

struct SRecordSummary {
    std::array<int, 16> typeCounts{}; // records S0..SF whose type character is hexadecimal
    int otherLines = 0;               // lines that are not records or are malformed
    QList<SRecordRange> ranges;       // covered by data records: merged and sorted
};

SRecordSummary SummarizeSRecords(const QStringList& lines);

// Whether `lines` convert through `window` (into a fresh image of the window's size).
bool ConvertsInto(const QStringList& lines, const SRecordWindow& window);

// "0xFFC000-0xFFC0FF": at least six hex digits, upper case.
QString FormatSRecordRange(const SRecordRange& range);

} // namespace zel
