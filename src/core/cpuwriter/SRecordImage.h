#pragma once
// The two byte images a flash write sends, made from S-record files: the boot image (the
// control program for writing, chosen by the CPU type) and the application image.
//
// Boot image, 2050 bytes:       0..1 program length, high byte first (0x08 0x00 = 2048)
//                               2..2049 the boot program, 0xFF where no record writes
// Application image, 0x40000:   the flash contents, 0xFF where no record writes
#include "SRecordWindow.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace zel {

class MessageSink;

class SRecordImage {
public:
    static constexpr int kBootProgramSize = 2048;
    static constexpr int kBootImageSize = kBootProgramSize + 2;
    static constexpr int kApplicationSize = 0x40000;

    struct BootProgram {
        QString fileName; // in the program folder
        SRecordWindow window;
    };
    // "MASTER" or "SLAVE"; nothing for any other text.
    static std::optional<BootProgram> bootProgramFor(const QString& cpuType);
    // The boot program file of `cpuType` in `folder`; a name differing only in case is
    // found too (files copied from another system). Empty when there is no such type.
    static QString bootProgramPath(const QString& cpuType, const QString& folder);

    // Load boot image: message 28 (no such CPU type, file missing or empty) or 29 (does not
    // convert) and false.
    bool loadBootImage(const QString& cpuType, const QString& folder, MessageSink& messages);
    // The same from a named file and window (zelctl srec).
    bool loadBootImageFrom(const QString& path, const SRecordWindow& window, MessageSink& messages);
    // Load application image: message 30 (missing or empty) or 31 (does not convert).
    bool loadApplicationImage(const QString& path, MessageSink& messages);

    const QByteArray& bootImage() const { return m_boot; }
    const QByteArray& applicationImage() const { return m_application; }
    // True after the application image converted without error; false from the start of
    // every application load.
    bool applicationLoaded() const { return m_applicationLoaded; }
    // Why the last file could not be read (for stderr); empty when it was read.
    QString lastFileError() const { return m_fileError; }

private:
    QByteArray m_boot;
    QByteArray m_application;
    bool m_applicationLoaded = false;
    QString m_fileError;
};

} // namespace zel
