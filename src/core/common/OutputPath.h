#pragma once
// The one rule every command that writes a file applies before it sends anything: the path
// must not name one of the command's inputs, must not be a folder, FIFO, device or socket,
// and its folder must exist and take a new file. A transfer whose result could not be kept
// is then never started.
#include <QString>
#include <QStringList>

namespace zel {

enum class OutputProblem {
    None,
    NamesInput,        // the same file as an input (same path, through ".." or a link)
    IsFolder,          // a folder stands where the file would go
    NotRegular,        // a FIFO, device node or socket stands there
    FolderMissing,     // the folder it would go into does not exist
    FolderNotWritable, // the folder takes no new file (read-only, no permission)
    FileNotWritable,   // an existing file that may not be replaced
};

struct OutputCheck {
    OutputProblem problem = OutputProblem::None;
    QString detail; // the system's own words, when there are any

    bool ok() const { return problem == OutputProblem::None; }
    // A mistake in the command line rather than in the file system (exit 2, not 1).
    bool isUsageMistake() const { return problem == OutputProblem::NamesInput; }
};

// Whether a file may be written at `path` by a save that replaces it whole (QSaveFile: a
// temporary beside it, renamed at the end). `inputs` are the files the command reads.
OutputCheck CheckOutputPath(const QString& path, const QStringList& inputs = {});

// Whether `a` and `b` name one file: the same cleaned absolute path, the same target through
// links, or the same file on disk (a hard link).
bool IsSameFile(const QString& a, const QString& b);

// Why a path was refused, in the language `languageIndex` (0 English, 1 Japanese).
QString OutputProblemText(const OutputCheck& check, int languageIndex);
// "<path>: <reason>".
QString OutputProblemLine(const QString& path, const OutputCheck& check, int languageIndex);

} // namespace zel
