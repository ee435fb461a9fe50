#pragma once
// The camera's title character set as a list of 513 source rows: one row per code 0000..01FF
// in ascending order, code 0069 twice. Each row has a Japanese form (full-width) and an English
// form (half-width); an empty form means the glyph has no text in that language.
#include <QString>
#include <QVector>

namespace zel {

struct TitleSourceRow {
    quint16 code = 0;
    QString japanese;
    QString english;
};

// Escape form of a code: brace, the low twelve bits as three upper-case hex digits, brace.
// Japanese uses the full-width braces and digits ("｛０２４｝"), English the ASCII ones ("{024}").
QString TitleEscapeForm(quint16 code, bool japanese);

// The full source list, expanded from its range table.
QVector<TitleSourceRow> TitleSourceRows();

} // namespace zel
