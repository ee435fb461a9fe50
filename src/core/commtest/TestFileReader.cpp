#include "TestFileReader.h"

#include "TestScreen.h"
#include "common/FileFieldCheck.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/TextFile.h"
#include "shell/LanguageTables.h"

#include <QFileInfo>

namespace zel {

namespace {

// Setting field kinds in file order, with the value used when the user reads on.
struct SettingField {
    int kind;
    QString fallback;
};

const SettingField kSettings[] = {
    {FieldRemoteNo, QStringLiteral("1")},        {FieldTestCameraNo, QStringLiteral("1")},
    {FieldContinuousCheck, QStringLiteral("0")}, {FieldContinuousInterval, QStringLiteral("0")},
    {FieldFreeFormatCheck, QStringLiteral("0")},
};

// A checked number as the boxes show it ("+5", "007" and "-0" become "5", "7" and "0").
QString numberText(const QString& value, int decimals) {
    return QString::number(value.toDouble() + 0.0, 'f', decimals); // + 0.0: no "-0"
}

QString wholeNumberText(const QString& value) {
    return numberText(value, 0);
}

void applySetting(TestScreen& screen, int kind, const QString& value) {
    switch (kind) {
    case FieldRemoteNo:
        screen.hostNo = wholeNumberText(value);
        break;
    case FieldTestCameraNo:
        screen.camNo = wholeNumberText(value);
        break;
    case FieldContinuousCheck:
        screen.continuous = value.toDouble() != 0;
        break;
    case FieldContinuousInterval:
        screen.interval =
            value.contains(QLatin1Char('.')) ? numberText(value, 3) : wholeNumberText(value);
        break;
    case FieldFreeFormatCheck:
        screen.freeFormat = value.toDouble() != 0;
        break;
    default:
        break;
    }
}

} // namespace

TestFileReader::TestFileReader(MessageSink& messages, const LanguageTables& language)
    : m_messages(messages), m_language(language) {}

// Whether any line holds a setting or a row (not empty, not a ":" label).
bool TestFileReader::hasContent(const QStringList& lines) {
    for (QString line : lines) {
        line.replace(QLatin1Char('\t'), QLatin1Char(' '));
        line = TrimBlanks(line);
        if (!line.isEmpty() && !line.startsWith(QLatin1Char(':')))
            return true;
    }
    return false;
}

bool TestFileReader::refuse(const QString& text) {
    m_messages.ShowMessage(MessageError, text);
    return false;
}

TestFileReader::Result TestFileReader::load(const QString& path, TestScreen& screen) {
    if (QFileInfo(path).fileName().size() > kMaxTitleLength) {
        refuse(QStringLiteral("ファイル名が大き過ぎます。"));
        return Result::NotRead;
    }
    // A file that cannot be read is refused before the screen is reset.
    TextFileRead file = ReadTextFile(path, kMaxFileBytes);
    if (file.ok && !hasContent(file.lines))
        file.problem = FileProblem::NoContent;
    if (!file.ok || file.problem != FileProblem::None) {
        refuse(FileProblemLine(path, file.problem, m_language.languageIndex()));
        return Result::NotRead;
    }
    return loadLines(file.lines, screen);
}

TestFileReader::Result TestFileReader::loadLines(const QStringList& lines, TestScreen& screen) {
    m_lines = lines;
    m_next = 0;
    screen.Reset_TestScreen();
    if (!readSettings(screen) || !readRows(screen))
        return Result::Stopped;
    return Result::Loaded;
}

bool TestFileReader::Read_TestLine(int mode, LineParts& parts) {
    while (m_next < m_lines.size()) {
        QString line = m_lines[m_next++];
        line.replace(QLatin1Char('\t'), QLatin1Char(' '));
        line = TrimBlanks(line);
        if (line.isEmpty() || line.startsWith(QLatin1Char(':')))
            continue;
        if (mode != 0) {
            const ValueLine split = SplitValueLine(line);
            parts = {TrimBlanks(split.value), split.remainder};
        } else {
            parts = {line.left(1), line.mid(1)};
        }
        return true;
    }
    return false;
}

bool TestFileReader::readSettings(TestScreen& screen) {
    for (const SettingField& field : kSettings) {
        LineParts parts;
        if (!Read_TestLine(1, parts))
            return true; // a missing line leaves the field at its reset value
        const QString result = CheckFileField(parts.value, field.kind, 0, m_messages, m_language);
        if (result == kFieldStop)
            return false;
        applySetting(screen, field.kind, result == kFieldValid ? parts.value : field.fallback);
    }
    return true;
}

bool TestFileReader::readRows(TestScreen& screen) {
    LineParts parts;
    for (int rowNo = 1; Read_TestLine(0, parts); ++rowNo)
        if (!readRow(screen, rowNo, parts))
            return false;
    return true;
}

bool TestFileReader::readRow(TestScreen& screen, int rowNo, const LineParts& parts) {
    if (CheckFileField(parts.value, FieldTestRowCount, rowNo, m_messages, m_language) == kFieldStop)
        return false;
    const QString letter =
        CheckFileField(parts.value, FieldWriteReadLetter, rowNo, m_messages, m_language);
    if (letter == kFieldStop)
        return false;
    TestRow& row = screen.row(rowNo);
    row.read =
        letter == kFieldValid && parts.value.compare(QStringLiteral("R"), Qt::CaseInsensitive) == 0;
    const qsizetype colon = parts.remainder.indexOf(QLatin1Char(':'));
    const QString data = TrimBlanks(parts.remainder.left(colon).toUpper());
    row.valid = false;
    const QString checked = CheckFileField(data, FieldTestRowData, rowNo, m_messages, m_language);
    if (checked == kFieldStop)
        return false;
    row.text = checked == kFieldValid ? data : QString();
    row.valid = checked == kFieldValid && !data.isEmpty();
    return true;
}

} // namespace zel
