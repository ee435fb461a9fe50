#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace zel {

namespace {

const QString kSettings = QString::fromLatin1(ProgramFolder::kSettingsFile);

// The files a start needs from a seed folder: the settings file and the boot programs.
QStringList seedFiles(const QDir& source) {
    QStringList names;
    for (const QFileInfo& file : source.entryInfoList(QDir::Files | QDir::Readable))
        if (file.fileName() == kSettings ||
            file.suffix().compare(QStringLiteral("mot"), Qt::CaseInsensitive) == 0)
            names.append(file.fileName());
    return names;
}

} // namespace

bool ProgramFolder::isWritable(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".zel-write-test-XXXXXX")));
    return probe.open();
}

QString ProgramFolder::userFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("zel"));
}

QStringList ProgramFolder::defaultFolders(const QString& executableFolder) {
    QStringList folders{QDir::cleanPath(executableFolder + QStringLiteral("/../share/zel"))};
#ifdef ZEL_DATA_DIR
    folders.append(QStringLiteral(ZEL_DATA_DIR));
#endif
    folders.removeDuplicates();
    return folders;
}

ProgramFolderChoice ProgramFolder::choose(const QString& requested, const QString& userFolder,
                                          const QStringList& defaultFolders) {
    ProgramFolderChoice choice;
    choice.folder = requested;
    if (isWritable(requested))
        return choice;
    if (!QDir().mkpath(userFolder) || !isWritable(userFolder)) {
        choice.problem =
            QStringLiteral("neither %1 nor %2 can be written").arg(requested, userFolder);
        return choice;
    }
    choice.folder = userFolder;
    choice.perUser = true;
    if (!QFile::exists(QDir(userFolder).filePath(kSettings)))
        choice.seeded = seed(userFolder, requested, defaultFolders);
    return choice;
}

QStringList ProgramFolder::seed(const QString& userFolder, const QString& requested,
                                const QStringList& defaultFolders) {
    // The program folder's own settings first, else the packaged defaults.
    QStringList sources{requested};
    sources.append(defaultFolders);
    for (const QString& source : sources) {
        const QDir from(source);
        if (!QFileInfo(from.filePath(kSettings)).isFile())
            continue;
        QStringList copied;
        for (const QString& name : seedFiles(from)) {
            const QString target = QDir(userFolder).filePath(name);
            if (!QFile::exists(target) && QFile::copy(from.filePath(name), target)) {
                QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner |
                                                  QFile::ReadGroup | QFile::ReadOther);
                copied.append(target);
            }
        }
        return copied;
    }
    return {};
}

} // namespace zel
