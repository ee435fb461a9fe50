#include "CommLogFile.h"

#include "CommLogStore.h"
#include "common/FileFieldCheck.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/TextFile.h"
#include "shell/LanguageTables.h"

namespace zel {

namespace {

bool isSkipped(const QString& line) {
    return TrimBlanks(line).isEmpty() || line.startsWith(QLatin1Char(':'));
}

// Unit and data of a log line: the text before the first colon, and after it up to a second.
// A line without a colon (saved by earlier versions, which dropped the unit's colon) splits at
// its tab, so "CAMERA1<TAB>06" is not read as the one unit "CAMERA106".
CommLogEntry parseLine(const QString& line) {
    if (const qsizetype tab = line.indexOf(QLatin1Char('\t'));
        tab >= 0 && !line.contains(QLatin1Char(':')))
        return {SplitValueLine(line.left(tab)).value, SplitValueLine(line.mid(tab + 1)).value};
    const ValueLine parts = SplitValueLine(line);
    const qsizetype colon = parts.remainder.indexOf(QLatin1Char(':'));
    return {parts.value, colon < 0 ? parts.remainder : parts.remainder.left(colon)};
}

// Applies the field check; false when reading stops. A "use default" answer empties the line.
bool checkField(const QString& value, int kind, int itemNo, CommLogEntry& entry, bool& emptied,
                MessageSink& messages, const LanguageTables& language) {
    if (emptied)
        return true;
    const QString result = CheckFileField(value, kind, itemNo, messages, language);
    if (result == kFieldStop)
        return false;
    if (result == kFieldUseDefault) {
        entry = {};
        emptied = true;
    }
    return true;
}
// The unit as a file line holds it: with its colon, which a load takes off.
QString unitWithColon(const QString& unit) {
    return unit.isEmpty() || unit.endsWith(QLatin1Char(':')) ? unit : unit + QLatin1Char(':');
}

} // namespace

bool CommLogFile::save(const QString& path, const CommLogStore& store, MessageSink& messages) {
    QStringList lines;
    lines.reserve(store.count());
    for (int i = 0; i < store.count(); ++i)
        lines.append(unitWithColon(store.entry(i).unit) + QLatin1Char('\t') + store.entry(i).data);
    QString error;
    if (WriteTextFile(path, lines, &error))
        return true;
    messages.ShowMessage(MessageCannotSave, path + QStringLiteral(": ") + error);
    return false;
}

bool CommLogFile::load(const QString& path, CommLogStore& store, MessageSink& messages,
                       QString* why) {
    if (path.size() > kMaxPathChars) {
        if (why)
            *why = QStringLiteral("the file name is longer than %1 characters").arg(kMaxPathChars);
        messages.ShowMessage(MessageError, QStringLiteral("ファイル名が大き過ぎます。"));
        return false;
    }
    const TextFileRead file = ReadTextFile(path);
    if (!file.ok) {
        if (why)
            *why = file.error;
        messages.ShowMessage(MessageFileIncorrect);
        return false;
    }
    loadLines(file.lines, store, messages);
    return true;
}

void CommLogFile::loadLines(const QStringList& lines, CommLogStore& store, MessageSink& messages) {
    // The log fields' messages are fixed Japanese texts; no caption of a language is read.
    static const LanguageTables language;
    QVector<CommLogEntry> entries;
    int itemNo = 0;
    for (const QString& line : lines) {
        if (isSkipped(line))
            continue;
        ++itemNo;
        CommLogEntry entry = parseLine(line);
        bool emptied = false;
        if (!checkField(entry.unit, FieldLogUnit, itemNo, entry, emptied, messages, language) ||
            !checkField(entry.data, FieldLogData, itemNo, entry, emptied, messages, language))
            break;
        // Items past the store's size can only be empty lines; they are not kept.
        if (entries.size() < CommLogStore::kCapacity)
            entries.append(entry.unit.isEmpty() ? CommLogEntry{} : entry);
    }
    store.replaceAll(std::move(entries));
}

} // namespace zel
