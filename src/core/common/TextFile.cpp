#include "TextFile.h"

#include "Cp932.h"

#include <QFile>
#include <QSaveFile>

namespace zel {

TextFileRead ReadTextFile(const QString& path) {
    TextFileRead result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    const auto text = Cp932ToText(file.readAll());
    if (!text) {
        result.error = QStringLiteral("not a CP932 text file");
        return result;
    }
    result.lines = text->split(QLatin1Char('\n'));
    for (QString& line : result.lines)
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    if (!result.lines.isEmpty() && result.lines.last().isEmpty())
        result.lines.removeLast();
    result.ok = true;
    return result;
}

bool WriteTextFile(const QString& path, const QStringList& lines, QString* error) {
    QString joined;
    for (const QString& line : lines) {
        joined += line;
        joined += QStringLiteral("\r\n");
    }
    const auto bytes = TextToCp932(joined);
    if (!bytes) {
        if (error)
            *error = QStringLiteral("a character cannot be written in CP932");
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace zel
