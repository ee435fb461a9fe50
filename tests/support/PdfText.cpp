#include "PdfText.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace zel::test {

static QString runTool(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool HavePdfTools() {
    return !QStandardPaths::findExecutable(u"pdftotext"_qs).isEmpty() &&
           !QStandardPaths::findExecutable(u"pdfinfo"_qs).isEmpty();
}

QString PdfText(const QString& path, int page) {
    QStringList args{u"-layout"_qs, u"-enc"_qs, u"UTF-8"_qs};
    if (page > 0)
        args << u"-f"_qs << QString::number(page) << u"-l"_qs << QString::number(page);
    return runTool(u"pdftotext"_qs, args << path << u"-"_qs);
}

int PdfPageCount(const QString& path) {
    const QRegularExpressionMatch match =
        QRegularExpression(u"^Pages:\\s+(\\d+)"_qs, QRegularExpression::MultilineOption)
            .match(runTool(u"pdfinfo"_qs, {path}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

} // namespace zel::test
