#include "SRecordFile.h"

#include "common/TextLines.h"

#include <QFile>
#include <filesystem>
#include <system_error>

namespace zel {

namespace {

SRecordLines failed(const QString& path, const QString& why) {
    SRecordLines result;
    result.error = path.isEmpty() ? why : path + QStringLiteral(": ") + why;
    return result;
}

// Empty when `path` names a regular file of acceptable size, else the reason.
QString checkFile(const QString& path) {
    std::error_code error;
    const std::filesystem::path native(path.toStdU16String());
    const auto status = std::filesystem::status(native, error);
    if (error || !std::filesystem::exists(status))
        return QStringLiteral("no such file");
    if (!std::filesystem::is_regular_file(status))
        return QStringLiteral("not a regular file");
    const auto size = std::filesystem::file_size(native, error);
    if (error)
        return QStringLiteral("cannot read the file size");
    if (size > std::uintmax_t(kMaxSRecordFileBytes))
        return QStringLiteral("file too large for an S-record file (%1 bytes, at most %2)")
            .arg(size)
            .arg(kMaxSRecordFileBytes);
    return {};
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
    const QString why = checkFile(path);
    if (!why.isEmpty())
        return failed(path, why);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(path, file.errorString());
    // Read at most one byte past the limit: the file may have grown since it was checked.
    const QByteArray bytes = file.read(kMaxSRecordFileBytes + 1);
    if (bytes.size() > kMaxSRecordFileBytes)
        return failed(path, QStringLiteral("file too large for an S-record file"));
    if (file.error() != QFileDevice::NoError)
        return failed(path, file.errorString());
    SRecordLines result;
    result.lines = SplitSRecordLines(bytes);
    if (result.lines.isEmpty())
        return failed(path, QStringLiteral("the file is empty"));
    result.ok = true;
    return result;
}

} // namespace zel
