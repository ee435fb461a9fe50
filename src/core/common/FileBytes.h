#pragma once
// Whole-file reads of outside input with the guards every reader needs: only regular files
// (a FIFO would block, /dev/zero never ends), never more than the reader's size limit, and a
// reason that can be shown when the read fails.
#include <QByteArray>
#include <QString>

namespace zel {

enum class FileProblem {
    None,
    Missing,    // no such file
    NotRegular, // a directory, FIFO, device or socket
    TooLarge,   // far above the largest valid file of its kind
    Unreadable, // open or read failed (permissions, I/O error)
    NotText,    // control bytes, or not in the Japanese code page (Shift-JIS)
    NoContent,  // nothing of the expected kind in it
};

struct FileBytes {
    FileProblem problem = FileProblem::None;
    QString detail; // the system's own words, when there are any
    QByteArray bytes;

    bool ok() const { return problem == FileProblem::None; }
};

// Reads all of `path` when it is a regular file of at most `maxBytes` bytes.
FileBytes ReadFileBytes(const QString& path, qint64 maxBytes);

// True when a save may put a regular file at `path`: nothing is there yet, or a regular file
// is (through a symlink too). A save would replace a FIFO, device or socket by a regular file.
bool IsReplaceableFile(const QString& path);

// Replaces the file at `path` with `bytes` through a temporary file and a rename, so a failed
// write (full disk, no permission) keeps the old file. False with `error` when it fails or
// `path` names something other than a regular file.
bool WriteFileBytes(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Why a read failed, in the language `languageIndex` (0 English, 1 Japanese), with the
// system's detail in parentheses when there is one.
QString FileProblemText(FileProblem problem, int languageIndex, const QString& detail = {});

// "<path>: <reason>", the line shown for a file that could not be read.
QString FileProblemLine(const QString& path, FileProblem problem, int languageIndex,
                        const QString& detail = {});

} // namespace zel
