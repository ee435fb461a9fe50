#include "TitleFileReader.h"

#include "TitleDocument.h"
#include "common/FileFieldCheck.h"
#include "titletable/TitleCategory.h"

#include <algorithm>

namespace zel {

namespace {

// Line limits of the nine sections, in category order: one more than the titles read,
// except the text-box categories, whose limit of 1 reads their one title.
constexpr int kSectionLineLimits[kTitleCategoryCount] = {1, 256, 3, 1, 17, 4, 9, 9, 9};

bool isSectionKey(const QString& key) {
    return key.startsWith(QLatin1Char('[')) && key.endsWith(QLatin1Char(']'));
}

bool isSignificant(const QString& line) {
    return !line.isEmpty() && !line.startsWith(QLatin1Char(':'));
}

} // namespace

TitleFileReader::TitleFileReader(QStringList lines) : m_lines(std::move(lines)) {}

bool TitleFileReader::hasSignificantLine(const QStringList& lines) {
    return std::any_of(lines.begin(), lines.end(),
                       [](const QString& line) { return isSignificant(line); });
}

bool TitleFileReader::hasSectionHeader(const QStringList& lines) {
    return std::any_of(lines.begin(), lines.end(), [](const QString& line) {
        if (!isSignificant(line))
            return false;
        const QString key = SplitValueLine(line).value;
        for (int category = 0; category < kTitleCategoryCount; ++category)
            if (key == TitleCategoryAt(category).sectionHeader)
                return true;
        return false;
    });
}

bool TitleFileReader::nextSignificantLine(QString& line) {
    while (m_next < m_lines.size()) {
        const QString& candidate = m_lines.at(m_next++);
        if (!isSignificant(candidate))
            continue;
        line = candidate;
        return true;
    }
    return false;
}

bool TitleFileReader::ReadSettingLine(QString& key, QString& rest) {
    QString line;
    if (!nextSignificantLine(line))
        return false;
    const ValueLine parts = SplitValueLine(line);
    key = parts.value;
    rest = parts.remainder;
    return true;
}

bool TitleFileReader::ReadTitleLine(QString& key, QString& title) {
    QString line;
    if (!nextSignificantLine(line))
        return false;
    const QuotedLine parts = SplitQuotedLine(line);
    key = parts.key;
    title = parts.quoted;
    return true;
}

void TitleFileReader::ReadTitleSection(const QString& header, int lineLimit, int category,
                                       TitleDocument& document) {
    rewind();
    QString key;
    QString rest;
    do {
        if (!ReadSettingLine(key, rest))
            return;
    } while (key != header);
    QString title;
    for (int entry = 1; ReadTitleLine(key, title) && !isSectionKey(key);) {
        document.setTitle(category, entry, title);
        if (++entry >= lineLimit)
            break;
    }
}

bool TitleFileReader::readNumberLine(QString& target, int fieldKind, MessageSink& messages,
                                     const LanguageTables& language) {
    QString key;
    QString rest;
    if (!ReadSettingLine(key, rest))
        return true; // no line left: the number stays as it is
    const QString verdict = CheckFileField(key, fieldKind, 0, messages, language);
    if (verdict == kFieldStop)
        return false;
    target = verdict == kFieldValid ? key : QStringLiteral("1");
    return true;
}

bool TitleFileReader::readDocument(TitleDocument& document, MessageSink& messages,
                                   const LanguageTables& language) {
    rewind();
    if (!readNumberLine(document.RemoteNo, FieldRemoteNo, messages, language) ||
        !readNumberLine(document.CameraNo, FieldTitleCameraNo, messages, language))
        return false;
    for (int category = 0; category < kTitleCategoryCount; ++category)
        ReadTitleSection(QString(TitleCategoryAt(category).sectionHeader),
                         kSectionLineLimits[category], category, document);
    return true;
}

} // namespace zel
