#include "FileBytes.h"

#include "shell/ReasonTexts.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace zel {

FileBytes ReadFileBytes(const QString& path, qint64 maxBytes) {
    FileBytes result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.problem = FileProblem::Missing;
        return result;
    }
    // Checked before opening: opening a FIFO blocks until a writer comes.
    if (!info.isFile()) {
        result.problem = FileProblem::NotRegular;
        return result;
    }
    if (info.size() > maxBytes) {
        result.problem = FileProblem::TooLarge;
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.problem = FileProblem::Unreadable;
        result.detail = file.errorString();
        return result;
    }
    // One byte more than allowed tells a file that grew since the check.
    result.bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        result.problem = FileProblem::Unreadable;
        result.detail = file.errorString();
        result.bytes.clear();
    } else if (result.bytes.size() > maxBytes) {
        result.problem = FileProblem::TooLarge;
        result.bytes.clear();
    }
    return result;
}

bool IsReplaceableFile(const QString& path) {
    const QFileInfo info(path);
    return !info.exists() || info.isFile();
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes, QString* error) {
    if (!IsReplaceableFile(path)) {
        if (error)
            *error = QStringLiteral("not a regular file");
        return false;
    }
    // Unbuffered: a full disk shows in write() itself; the flush inside commit() would not
    // report it, and a cut-short file would take the old one's place.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QString FileProblemText(FileProblem problem, int languageIndex, const QString& detail) {
    return fileProblemReason(problem, languageIndex, detail);
}

QString FileProblemLine(const QString& path, FileProblem problem, int languageIndex,
                        const QString& detail) {
    return path + QStringLiteral(": ") + FileProblemText(problem, languageIndex, detail);
}

} // namespace zel
