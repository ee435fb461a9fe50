#include "CliInputFile.h"

#include "CliContext.h"
#include "common/FileBytes.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace zel::cli {

namespace {

struct InputProblem {
    FileProblem problem = FileProblem::None;
    QString detail; // the system's words when "no such file" alone would mislead
};

QString systemWords(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

InputProblem probe(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (path.isEmpty())
        return {FileProblem::Missing, {}};
    if (::stat(native.constData(), &status) != 0) {
        const int error = errno;
        // A folder on the way that may not be searched is not a missing file.
        if (error == ENOENT || error == ENOTDIR)
            return {FileProblem::Missing, {}};
        return {FileProblem::Unreadable, systemWords(error)};
    }
    if (!S_ISREG(status.st_mode))
        return {FileProblem::NotRegular, {}};
    if (::access(native.constData(), R_OK) != 0)
        return {FileProblem::Unreadable, systemWords(errno)};
    return {};
}

} // namespace

bool CheckInputFile(CliContext& context, const QString& command, const QString& path,
                    int screenMessage) {
    const InputProblem found = probe(path);
    if (found.problem == FileProblem::None)
        return true;
    if (screenMessage != 0)
        context.messages().ShowMessage(screenMessage);
    CliContext::printUsageError(
        command + QStringLiteral(": ") +
        FileProblemLine(path, found.problem, context.language().languageIndex(), found.detail));
    return false;
}

} // namespace zel::cli
