#include "SRecordImage.h"

#include "SRecordFile.h"
#include "SRecordParser.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"

#include <QDir>
#include <QFileInfo>

namespace zel {

namespace {

// A fresh image for `window`: 0xFF throughout; a window that starts past index 0 is a boot
// window whose first two bytes hold its length, set whether or not the conversion works.
QByteArray blankImage(const SRecordWindow& window) {
    return QByteArray(window.size + window.indexOffset, char(0xFF));
}

void setLengthBytes(QByteArray& image, const SRecordWindow& window) {
    if (window.indexOffset < 2 || image.size() < 2)
        return;
    image[0] = char((window.size >> 8) & 0xFF);
    image[1] = char(window.size & 0xFF);
}

enum class LoadResult { Loaded, NoFile, NoConversion };

LoadResult load(const QString& path, const SRecordWindow& window, QByteArray& image,
                QString& fileError) {
    const SRecordLines read = ReadSRecordLines(path);
    fileError = read.error;
    if (!read.ok)
        return LoadResult::NoFile;
    image = blankImage(window);
    QString why;
    const bool converted = Convert(read.lines, window, image, &why);
    if (!converted)
        fileError = QStringLiteral("%1: %2").arg(path, why);
    setLengthBytes(image, window);
    return converted ? LoadResult::Loaded : LoadResult::NoConversion;
}

} // namespace

std::optional<SRecordImage::BootProgram> SRecordImage::bootProgramFor(const QString& cpuType) {
    if (cpuType == QStringLiteral("MASTER"))
        return BootProgram{QStringLiteral("ZARNIPEX2633.MOT"), kBootMasterWindow};
    if (cpuType == QStringLiteral("SLAVE"))
        return BootProgram{QStringLiteral("ZARNIPEX2398.MOT"), kBootSlaveWindow};
    return std::nullopt;
}

QString SRecordImage::bootProgramPath(const QString& cpuType, const QString& folder) {
    const auto program = bootProgramFor(cpuType);
    if (!program)
        return {};
    const QDir dir(folder);
    const QString exact = dir.filePath(program->fileName);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList found = dir.entryList({program->fileName}, QDir::Files | QDir::System);
    return found.size() == 1 ? dir.filePath(found.first()) : exact;
}

bool SRecordImage::loadBootImage(const QString& cpuType, const QString& folder,
                                 MessageSink& messages) {
    const auto program = bootProgramFor(cpuType);
    if (!program) {
        m_fileError = QStringLiteral("unknown CPU type \"%1\"").arg(cpuType);
        messages.ShowMessage(MessageNoWriteControlProgram);
        return false;
    }
    return loadBootImageFrom(bootProgramPath(cpuType, folder), program->window, messages);
}

bool SRecordImage::loadBootImageFrom(const QString& path, const SRecordWindow& window,
                                     MessageSink& messages) {
    switch (load(path, window, m_boot, m_fileError)) {
    case LoadResult::NoFile:
        messages.ShowMessage(MessageNoWriteControlProgram);
        return false;
    case LoadResult::NoConversion:
        messages.ShowMessage(MessageWriteControlProgramError);
        return false;
    case LoadResult::Loaded:
        break;
    }
    return true;
}

bool SRecordImage::loadApplicationImage(const QString& path, MessageSink& messages) {
    m_applicationLoaded = false;
    switch (load(path, kApplicationWindow, m_application, m_fileError)) {
    case LoadResult::NoFile:
        messages.ShowMessage(MessageNoApplicationProgram);
        return false;
    case LoadResult::NoConversion:
        messages.ShowMessage(MessageApplicationProgramError);
        return false;
    case LoadResult::Loaded:
        break;
    }
    m_applicationLoaded = true;
    return true;
}

} // namespace zel
