#pragma once
// Where zel keeps zel.ini and its files. The program folder (--folder, else the folder of the
// executable) is used when the program can write there. An installed program's folder is not
// writable: its settings and files then live in a per-user folder, which is filled on the
// first start with the settings file (and boot program files) of the program folder or, when
// that has none, with the packaged defaults.
#include <QString>
#include <QStringList>

namespace zel {

struct ProgramFolderChoice {
    QString folder;       // the folder to read zel.ini from and to write files to
    bool perUser = false; // the program folder could not be written
    QStringList seeded;   // files copied into the per-user folder on this start
    QString problem;      // why the per-user folder could not be prepared (then `folder` is
                          // the program folder, as before)
};

class ProgramFolder {
public:
    static constexpr const char* kSettingsFile = "zel.ini";

    // `requested`: the program folder. `userFolder`: the per-user folder. `defaultFolders`:
    // where the packaged defaults may be, in order.
    static ProgramFolderChoice choose(const QString& requested, const QString& userFolder,
                                      const QStringList& defaultFolders);

    // The per-user folder of this user (~/.config/zel) and the packaged defaults beside the
    // installed program (<prefix>/share/zel).
    static QString userFolder();
    static QStringList defaultFolders(const QString& executableFolder);

    // True when a file can be created in `folder` (tried, not guessed from permissions).
    static bool isWritable(const QString& folder);

private:
    static QStringList seed(const QString& userFolder, const QString& requested,
                            const QStringList& defaultFolders);
};

} // namespace zel
