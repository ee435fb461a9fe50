#pragma once
// Line splitting shared by every reader of text files: a line ends at CR LF, at LF alone or
// at CR alone, so files from any editor read the same.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace zel {

// One line of a byte content: [start, start + length) without its line end; `end` is the
// position after its line end (the content's size for a last line without one).
struct LineSpan {
    qsizetype start = 0;
    qsizetype length = 0;
    qsizetype end = 0;
};

// Every line of `content`; a content ending in a line end has no empty line after it.
QVector<LineSpan> FindLineSpans(const QByteArray& content);

// The line end a content uses (its first one: CR LF, LF or CR), CR LF when it has none.
QByteArray LineEndOf(const QByteArray& content);

// The lines of `text` without their line ends; a final line end adds no empty line.
QStringList SplitTextLines(const QString& text);

} // namespace zel
