#pragma once
// The texts of the language records, one filler per group. Each pair holds the English text
// and the Japanese one (nullptr: the same as the English).
#include <utility>
#include <vector>

namespace zel::lang {

struct TextPair {
    const char16_t* en;
    const char16_t* ja = nullptr;
};

using TextList = std::vector<TextPair>;

TextList menuTexts();
TextList panelTexts();
TextList titleSetTexts();
TextList backupTexts();
TextList cpuWriterTexts();
TextList optionTexts();
TextList findTexts();
TextList replaceTexts();
TextList transMitTexts();
TextList splashTexts();
TextList titleFileLabelTexts();
TextList reportHeaderTexts();
TextList titleReportTexts();
TextList titleFileDialogTexts();
TextList backupFileDialogTexts();
TextList srecFileDialogTexts();
TextList progressLabelTexts();
TextList messageTexts();

// Slots (in the message group) of the table text of message 1..36: first and second part
// (-1 when the message has none; message 36 has two parts joined by a line break).
std::pair<int, int> messageTextSlots(int number);
// Title of message 1..36.
TextPair messageTitle(int number);

} // namespace zel::lang
