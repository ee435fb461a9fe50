#pragma once
// Reading an S-record file into its lines. The file is outside input: only a regular file
// of sane size is read; CR LF, LF and a lone CR each end a line.
#include <QString>
#include <QStringList>

namespace zel {

struct SRecordLines {
    bool ok = false;   // false: no usable file or no line in it
    QString error;     // why, for stderr (the screens show their own numbered message)
    QStringList lines; // without line ends
};

// The largest file read. A full application image written one data byte per S1 record
// with CR LF ends is under 4 MiB; anything this big is not an S-record file of ours.
constexpr qint64 kMaxSRecordFileBytes = 32LL * 1024 * 1024;

// Fails when the path is empty, ends with a folder separator, names nothing or something
// other than a regular file, is too large or unreadable, or yields no line.
SRecordLines ReadSRecordLines(const QString& path);

// The file's text split into lines; a line end at the very end adds no empty line.
QStringList SplitSRecordLines(const QByteArray& bytes);

} // namespace zel
