#include "OutputPath.h"

#include "shell/ReasonTexts.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace zel {

namespace {

QString cleanAbsolute(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

QString systemReason() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// access() answers for the effective user and a read-only file system alike.
OutputCheck checkFolder(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.exists())
        return {OutputProblem::FolderMissing, {}};
    if (!info.isDir())
        return {OutputProblem::FolderMissing, QStringLiteral("%1 is not a folder").arg(folder)};
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) != 0)
        return {OutputProblem::FolderNotWritable, systemReason()};
    return {};
}

} // namespace

bool IsSameFile(const QString& a, const QString& b) {
    if (cleanAbsolute(a) == cleanAbsolute(b))
        return true;
    const QFileInfo infoA(a);
    const QFileInfo infoB(b);
    if (!infoA.exists() || !infoB.exists())
        return false;
    if (infoA.canonicalFilePath() == infoB.canonicalFilePath())
        return true;
    struct stat statA = {};
    struct stat statB = {};
    return ::stat(QFile::encodeName(a).constData(), &statA) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &statB) == 0 && statA.st_dev == statB.st_dev &&
           statA.st_ino == statB.st_ino;
}

OutputCheck CheckOutputPath(const QString& path, const QStringList& inputs) {
    for (const QString& input : inputs)
        if (!input.isEmpty() && IsSameFile(path, input))
            return {OutputProblem::NamesInput, {}};
    const QFileInfo info(path);
    if (info.isDir())
        return {OutputProblem::IsFolder, {}};
    if (info.exists() && !info.isFile())
        return {OutputProblem::NotRegular, {}};
    // The save puts a temporary beside the final file, so the folder of the link's target
    // must take a new file even when the file itself exists.
    QString target = cleanAbsolute(path);
    if (info.isSymLink())
        target = info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
    if (OutputCheck folder = checkFolder(QFileInfo(target).absolutePath()); !folder.ok())
        return folder;
    if (info.exists() && ::access(QFile::encodeName(target).constData(), W_OK) != 0)
        return {OutputProblem::FileNotWritable, systemReason()};
    return {};
}

QString OutputProblemText(const OutputCheck& check, int languageIndex) {
    return outputProblemReason(check.problem, languageIndex, check.detail);
}

QString OutputProblemLine(const QString& path, const OutputCheck& check, int languageIndex) {
    return path + QStringLiteral(": ") + OutputProblemText(check, languageIndex);
}

} // namespace zel
