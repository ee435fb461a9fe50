#include "BackupFile.h"

#include "common/FileBytes.h"
#include "common/OutputPath.h"

#include <QFileInfo>
#include <filesystem>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace zel {

namespace {

QString fileError(const QFile& file) {
    return file.fileName() + QStringLiteral(": ") + file.errorString();
}

// Pushes the written bytes to the disk before the rename makes them the backup.
void syncToDisk(QFile& file) {
    file.flush();
#ifdef Q_OS_UNIX
    ::fsync(file.handle());
#endif
}

} // namespace

BackupImageRead BackupFile::readImage(const QString& path, int languageIndex) {
    // One byte over the size tells a longer file from a backup.
    const FileBytes read = ReadFileBytes(path, kImageSize + 1);
    BackupImageRead result;
    if (read.problem == FileProblem::TooLarge || (read.ok() && read.bytes.size() > kImageSize))
        result.problem = QStringLiteral("more than %1 bytes; not a backup").arg(kImageSize);
    else if (!read.ok())
        result.problem = FileProblemText(read.problem, languageIndex, read.detail);
    else if (read.bytes.size() != kImageSize)
        result.problem =
            QStringLiteral("%1 bytes; a backup holds %2").arg(read.bytes.size()).arg(kImageSize);
    else
        result.bytes = read.bytes;
    return result;
}

void BackupFile::setWhy(QString* why, const QString& text) {
    m_lastError = text;
    if (why)
        *why = text;
}

BackupFile::~BackupFile() {
    close();
}

QString BackupFile::partialPath(const QString& path) {
    return path + QStringLiteral(".partial");
}

bool BackupFile::openForDownload(const QString& path, QString* why) {
    close();
    m_lastError.clear();
    m_target = path;
    m_download = true;
    m_blocksWritten = 0;
    const QString partial = partialPath(path);
    m_replacedPartial = QFileInfo::exists(partial);
    // Opening a FIFO or a device for writing would block or write into it; a missing or
    // read-only folder is said before the first block is asked for.
    for (const QString& output : {path, partial}) {
        if (const OutputCheck check = CheckOutputPath(output); !check.ok()) {
            setWhy(why, OutputProblemLine(output, check, 0));
            return false;
        }
    }
    m_file.setFileName(partial);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
        setWhy(why, m_file.fileName() + QStringLiteral(": ") + m_file.errorString());
        return false;
    }
    return true;
}

bool BackupFile::openForUpload(const QString& path, QString* why) {
    close();
    m_target = path;
    m_download = false;
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        setWhy(why, path + QStringLiteral(": ") + m_file.errorString());
        return false;
    }
    return true;
}

bool BackupFile::seekStart() {
    return m_file.isOpen() && m_file.seek(0);
}

std::optional<QByteArray> BackupFile::readBlock() {
    if (!m_file.isOpen() || m_download)
        return std::nullopt;
    QByteArray block = m_file.read(kBlockSize);
    if (block.size() != kBlockSize)
        return std::nullopt;
    return block;
}

bool BackupFile::writeBlock(const QByteArray& block) {
    if (!m_file.isOpen() || !m_download || block.size() != kBlockSize)
        return false;
    if (m_file.write(block) != kBlockSize) {
        m_lastError = fileError(m_file);
        return false;
    }
    ++m_blocksWritten;
    return true;
}

bool BackupFile::commit(QString* why) {
    if (!m_file.isOpen() || !m_download) {
        setWhy(why, QStringLiteral("no download in progress"));
        return false;
    }
    syncToDisk(m_file);
    const bool written = m_file.error() == QFileDevice::NoError;
    const QString partial = m_file.fileName();
    m_file.close();
    if (!written) {
        setWhy(why, partial + QStringLiteral(": ") + m_file.errorString());
        return false;
    }
    // rename() replaces an existing file in one step, so the old backup stays whole until the
    // new one takes its name.
    std::error_code error;
    std::filesystem::rename(std::filesystem::path(partial.toStdU16String()),
                            std::filesystem::path(m_target.toStdU16String()), error);
    if (error) {
        setWhy(why, m_target + QStringLiteral(": ") + QString::fromStdString(error.message()));
        return false;
    }
    return true;
}

void BackupFile::close() {
    if (!m_file.isOpen())
        return;
    m_file.close();
    // A download that never got a block leaves no empty "<path>.partial" behind.
    if (m_download && m_blocksWritten == 0)
        QFile::remove(m_file.fileName());
}

} // namespace zel
