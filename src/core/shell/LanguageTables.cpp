#include "LanguageTables.h"

#include "LanguageTexts.h"

#include <array>

namespace zel {

namespace {

constexpr int kGroupCount = static_cast<int>(LangGroup::Count);

constexpr std::array<int, kGroupCount> kGroupSizes{7, 117, 44, 8, 11, 18, 5, 8,  7,
                                                   2, 2,   1,  5, 5,  4,  3, 12, 54};

lang::TextList textsOf(LangGroup group) {
    switch (group) {
    case LangGroup::Menu:
        return lang::menuTexts();
    case LangGroup::Panel:
        return lang::panelTexts();
    case LangGroup::TitleSet:
        return lang::titleSetTexts();
    case LangGroup::Backup:
        return lang::backupTexts();
    case LangGroup::CpuWriter:
        return lang::cpuWriterTexts();
    case LangGroup::Option:
        return lang::optionTexts();
    case LangGroup::Find:
        return lang::findTexts();
    case LangGroup::Replace:
        return lang::replaceTexts();
    case LangGroup::TransMit:
        return lang::transMitTexts();
    case LangGroup::Splash:
        return lang::splashTexts();
    case LangGroup::TitleFileLabels:
        return lang::titleFileLabelTexts();
    case LangGroup::ReportHeader:
        return lang::reportHeaderTexts();
    case LangGroup::TitleReports:
        return lang::titleReportTexts();
    case LangGroup::TitleFileDialogs:
        return lang::titleFileDialogTexts();
    case LangGroup::BackupFileDialogs:
        return lang::backupFileDialogTexts();
    case LangGroup::SrecFileDialogs:
        return lang::srecFileDialogTexts();
    case LangGroup::ProgressLabels:
        return lang::progressLabelTexts();
    case LangGroup::Messages:
        return lang::messageTexts();
    case LangGroup::Count:
        break;
    }
    return {};
}

QString toText(const char16_t* text) {
    return text ? QString::fromUtf16(text) : QString();
}

} // namespace

LanguageTables::LanguageTables() {
    for (int g = 0; g < kGroupCount; ++g) {
        const auto group = static_cast<LangGroup>(g);
        lang::TextList texts = textsOf(group);
        texts.resize(static_cast<size_t>(kGroupSizes[g]), lang::TextPair{u""});
        for (const lang::TextPair& pair : texts) {
            m_records[0].append(toText(pair.en));
            m_records[1].append(toText(pair.ja ? pair.ja : pair.en));
        }
    }
    // The title file dialogs start with the title window's caption.
    for (int language = 0; language < 2; ++language)
        m_records[language][groupOffset(LangGroup::TitleFileDialogs)] =
            m_records[language][groupOffset(LangGroup::TitleSet) + TitleSetCaption];
}

int LanguageTables::groupSize(LangGroup group) {
    const int g = static_cast<int>(group);
    return g >= 0 && g < kGroupCount ? kGroupSizes[g] : 0;
}

int LanguageTables::groupOffset(LangGroup group) {
    int offset = 0;
    for (int g = 0; g < static_cast<int>(group) && g < kGroupCount; ++g)
        offset += kGroupSizes[g];
    return offset;
}

void LanguageTables::setLanguageIndex(int language) {
    m_language = language == 1 ? 1 : 0;
}

QString LanguageTables::text(LangGroup group, int index) const {
    return text(m_language, group, index);
}

QString LanguageTables::text(int language, LangGroup group, int index) const {
    if (language < 0 || language >= static_cast<int>(m_records.size()) || index < 0 ||
        index >= groupSize(group))
        return {};
    const QStringList& record = m_records[language];
    const int position = groupOffset(group) + index;
    return position < record.size() ? record[position] : QString();
}

QStringList LanguageTables::group(LangGroup group) const {
    QStringList texts;
    for (int i = 0; i < groupSize(group); ++i)
        texts.append(text(group, i));
    return texts;
}

QString LanguageTables::piece(MessagePiece piece) const {
    return text(LangGroup::Messages, static_cast<int>(piece));
}

QString LanguageTables::progress(ProgressLabel label) const {
    return text(LangGroup::ProgressLabels, static_cast<int>(label));
}

QString LanguageTables::messageTitle(int number) const {
    const lang::TextPair title = lang::messageTitle(number);
    return toText(m_language == 1 && title.ja ? title.ja : title.en);
}

QString LanguageTables::messageText(int number) const {
    const auto [first, second] = lang::messageTextSlots(number);
    if (first < 0)
        return {};
    QString result = text(LangGroup::Messages, first);
    if (second >= 0)
        result += QStringLiteral("\r\n") + text(LangGroup::Messages, second);
    return result;
}

} // namespace zel
