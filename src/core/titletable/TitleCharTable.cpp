#include "TitleCharTable.h"

#include "TitleCharSource.h"
#include "TitleKeyWidening.h"

namespace zel {

namespace {

constexpr char16_t kBrace = u'{';
constexpr char16_t kWideBrace = u'｛';
constexpr int kEscapeLength = 5;

bool isBrace(QChar ch) {
    return ch == kBrace || ch == kWideBrace;
}
bool isSpace(QChar ch) {
    return ch == u' ' || ch == u'\u3000';
}

// Upper-cased and narrowed (full-width digits and letters to ASCII).
char16_t escapeDigit(QChar ch) {
    char16_t narrow = NarrowFullWidthAscii(ch.unicode());
    if (narrow >= u'a' && narrow <= u'z')
        narrow = static_cast<char16_t>(narrow - u'a' + u'A');
    return narrow;
}

int hexValue(char16_t ch) {
    if (ch >= u'0' && ch <= u'9')
        return ch - u'0';
    if (ch >= u'A' && ch <= u'F')
        return ch - u'A' + 10;
    return -1;
}

int hexValueAnyCase(QChar ch) {
    return hexValue(escapeDigit(ch));
}

} // namespace

TitleCharTable::TitleCharTable(int languageIndex) {
    BuildTitleCharTable(languageIndex);
}

void TitleCharTable::BuildTitleCharTable(int languageIndex) {
    m_japanese = languageIndex != 0;
    m_entries.clear();
    const QVector<TitleSourceRow> rows = TitleSourceRows();
    m_entries.reserve(rows.size());
    for (const TitleSourceRow& row : rows) {
        const QString& form = m_japanese ? row.japanese : row.english;
        if (form.isEmpty())
            continue;
        TitleCharEntry entry;
        entry.Char = form;
        entry.Code = QStringLiteral("%1").arg(row.code, 4, 16, QLatin1Char('0')).toUpper();
        entry.firstChar = form.at(0).unicode();
        entry.codeValue = row.code;
        m_entries.append(entry);
    }
}

const TitleCharEntry* TitleCharTable::entryForChar(char16_t ch) const {
    for (const TitleCharEntry& entry : m_entries)
        if (entry.firstChar == ch && entry.Char.size() == 1)
            return &entry;
    return nullptr;
}

const TitleCharEntry* TitleCharTable::entryForCode(quint16 code) const {
    for (const TitleCharEntry& entry : m_entries)
        if (entry.codeValue == code)
            return &entry;
    return nullptr;
}

QString TitleCharTable::escapeForm(quint16 code) const {
    return TitleEscapeForm(code, m_japanese);
}

void TitleCharTable::NormalizeTitleKey(int& key) const {
    if (!m_japanese || key < 0 || key > 0xFFFF)
        return;
    char16_t ch = WidenJapaneseChar(static_cast<char16_t>(key));
    switch (ch) {
    case u'\\':
    case u'\uFF3C':
        ch = u'￥';
        break;
    case u'\uFF02':
    case u'\u201D':
        ch = u'″';
        break;
    case u'\u0392': // Greek capital beta
        ch = u'β';
        break;
    case u'、':
        ch = u'，';
        break;
    default:
        break;
    }
    key = ch;
}

bool TitleCharTable::escapeIsValid(const QString& text, qsizetype brace) const {
    // Digits past the end of the text pass; the closing position past the end fails.
    quint16 code = 0;
    for (qsizetype i = brace + 1; i <= brace + 3; ++i) {
        if (i >= text.size())
            continue;
        const int digit = hexValueAnyCase(text.at(i));
        if (digit < 0)
            return false;
        code = static_cast<quint16>(code * 16 + digit);
    }
    const qsizetype close = brace + 4;
    if (close >= text.size())
        return false;
    const char16_t closing = NarrowFullWidthAscii(text.at(close).unicode());
    if (hexValue(closing) < 0 && closing != u'}')
        return false;
    return entryForCode(code) != nullptr;
}

bool TitleCharTable::CheckTitleChars(const QString& text) const {
    qsizetype i = 0;
    while (i < text.size()) {
        if (isBrace(text.at(i))) {
            if (!escapeIsValid(text, i))
                return false;
            i += kEscapeLength;
        } else {
            const char16_t ch = text.at(i).unicode();
            bool found = false;
            for (const TitleCharEntry& entry : m_entries)
                if (entry.firstChar == ch) {
                    found = true;
                    break;
                }
            if (!found)
                return false;
            ++i;
        }
    }
    return true;
}

bool TitleCharTable::CheckTitleLength(const QString& text) {
    const qsizetype braces = text.count(QChar(kBrace)) + text.count(QChar(kWideBrace));
    return text.size() - 4 * braces <= kMaxTitleLength;
}

bool TitleCharTable::escapeAt(const QString& text, qsizetype brace, quint16& code) const {
    if (brace + 3 >= text.size())
        return false;
    code = 0;
    for (qsizetype i = brace + 1; i <= brace + 3; ++i) {
        const int digit = hexValueAnyCase(text.at(i));
        if (digit < 0)
            return false;
        code = static_cast<quint16>(code * 16 + digit);
    }
    return true;
}

bool TitleCharTable::TitleTextToCodes(const QString& text, TitleCodes& codes) const {
    if (!CheckTitleLength(text))
        return false;
    TitleCodes result{};
    int position = 1;
    qsizetype i = 0;
    while (i < text.size()) {
        quint16 code = 0;
        qsizetype step = 1;
        bool stored = true;
        if (isBrace(text.at(i))) {
            if (!escapeAt(text, i, code))
                return false;
            step = kEscapeLength;
        } else if (isSpace(text.at(i))) {
            code = kSpaceCode;
        } else if (const TitleCharEntry* entry = entryForChar(text.at(i).unicode())) {
            code = entry->codeValue;
        } else {
            stored = false; // no entry: the character is dropped
        }
        if (stored) {
            if (position > kMaxTitleLength)
                return false;
            result[static_cast<size_t>(position++)] = code;
        }
        i += step;
    }
    if (!text.isEmpty() && position == 1)
        return false;
    for (int k = position; k <= kMaxTitleLength; ++k)
        result[static_cast<size_t>(k)] = kSpaceCode;
    if (position > 1)
        result[static_cast<size_t>(position - 1)] |= kEndMark;
    codes = result;
    return true;
}

QString TitleCharTable::TitleCodesToText(const QString& codeText) const {
    QString title;
    for (qsizetype group = 0; group + 4 <= codeText.size(); group += 4) {
        int key = 0;
        bool keyIsHex = true;
        for (qsizetype i = group + 1; i < group + 4; ++i) {
            const int digit = hexValueAnyCase(codeText.at(i));
            keyIsHex = keyIsHex && digit >= 0;
            key = key * 16 + (digit < 0 ? 0 : digit);
        }
        if (keyIsHex)
            if (const TitleCharEntry* entry = entryForCode(static_cast<quint16>(key)))
                title += entry->Char;
        if (hexValueAnyCase(codeText.at(group)) >= 8)
            return title;
    }
    return {};
}

QString TitleCharTable::TitleCodesToHex(const TitleCodes& codes) {
    QString hex;
    hex.reserve(4 * kMaxTitleLength);
    for (int k = 1; k <= kMaxTitleLength; ++k)
        hex += QStringLiteral("%1").arg(codes[static_cast<size_t>(k)], 4, 16, QLatin1Char('0'));
    return hex.toUpper();
}

} // namespace zel
