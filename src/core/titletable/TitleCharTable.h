#pragma once
// The camera title character table of the active language and the conversions built on it.
// A title is at most eight characters (an escape form counts as one) and travels as eight
// 16-bit codes; bit 15 marks the last character, unused positions hold 00FD (space).
#include <QString>
#include <QVector>
#include <array>

namespace zel {

struct TitleCharEntry {
    QString Char; // one character, or a five-character escape form
    QString Code; // four upper-case hex digits, "0000".."01FF"
    char16_t firstChar = 0;
    quint16 codeValue = 0;
};

// Index 0 is never used; positions 1..8 hold the title's codes.
using TitleCodes = std::array<quint16, 9>;

class TitleCharTable {
public:
    static constexpr int kMaxTitleLength = 8;
    static constexpr quint16 kSpaceCode = 0x00FD;
    static constexpr quint16 kEndMark = 0x8000;

    // BuildTitleCharTable for `languageIndex` (0 English, anything else Japanese).
    explicit TitleCharTable(int languageIndex = 0);
    void BuildTitleCharTable(int languageIndex);

    bool isJapanese() const { return m_japanese; }
    int size() const { return static_cast<int>(m_entries.size()); }
    const TitleCharEntry& entry(int index) const { return m_entries.at(index); } // 0-based

    // Key-press normaliser: `key` is the 16-bit character code of a key press.
    void NormalizeTitleKey(int& key) const;
    // True when every character and escape of the title is in the table.
    bool CheckTitleChars(const QString& text) const;
    // True when the title has at most 8 characters (each brace takes 4 off the length).
    static bool CheckTitleLength(const QString& text);
    // Fills codes 1..8. Refuses (false, `codes` untouched) a text that fails the length
    // rule, would need more than eight codes, has a cut-short or non-hex escape, or is not
    // empty but has no character in the table.
    bool TitleTextToCodes(const QString& text, TitleCodes& codes) const;
    // Code text (four hex digits per character) to a title; codes without an entry are
    // dropped, a text without an end mark gives the empty title.
    QString TitleCodesToText(const QString& codeText) const;

    // Codes 1..8 as 32 upper-case hex digits, high byte first.
    static QString TitleCodesToHex(const TitleCodes& codes);
    // The escape form of `code` in the active language.
    QString escapeForm(quint16 code) const;

private:
    const TitleCharEntry* entryForChar(char16_t ch) const;
    const TitleCharEntry* entryForCode(quint16 code) const;
    bool escapeAt(const QString& text, qsizetype brace, quint16& code) const;
    bool escapeIsValid(const QString& text, qsizetype brace) const;

    QVector<TitleCharEntry> m_entries;
    bool m_japanese = false;
};

} // namespace zel
