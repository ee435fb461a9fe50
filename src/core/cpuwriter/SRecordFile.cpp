#include "SRecordFile.h"

#include "common/FileBytes.h"
#include "common/TextLines.h"

#include <QFileInfo>

namespace zel {

namespace {

SRecordLines failed(const QString& path, const QString& why) {
    SRecordLines result;
    result.error = path.isEmpty() ? why : path + QStringLiteral(": ") + why;
    return result;
}

// The reason shown for a file that cannot be read as an S-record file.
QString problemText(const QString& path, const FileBytes& read) {
    if (read.problem != FileProblem::TooLarge)
        return FileProblemText(read.problem, 0, read.detail);
    return QStringLiteral("file too large for an S-record file (%1 bytes, at most %2)")
        .arg(QFileInfo(path).size())
        .arg(kMaxSRecordFileBytes);
}

} // namespace

QStringList SplitSRecordLines(const QByteArray& bytes) {
    QStringList lines;
    for (const LineSpan& span : FindLineSpans(bytes))
        lines.append(QString::fromLatin1(bytes.constData() + span.start, span.length));
    return lines;
}

SRecordLines ReadSRecordLines(const QString& path) {
    if (path.isEmpty())
        return failed(path, QStringLiteral("no file name"));
    if (path.endsWith(QLatin1Char('\\')) || path.endsWith(QLatin1Char('/')))
        return failed(path, QStringLiteral("names a folder, not a file"));
    const FileBytes read = ReadFileBytes(path, kMaxSRecordFileBytes);
    if (!read.ok())
        return failed(path, problemText(path, read));
    SRecordLines result;
    result.lines = SplitSRecordLines(read.bytes);
    if (result.lines.isEmpty())
        return failed(path, QStringLiteral("the file is empty"));
    result.ok = true;
    return result;
}

} // namespace zel
