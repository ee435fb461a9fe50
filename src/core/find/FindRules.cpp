#include "FindRules.h"

#include "FindState.h"
#include "common/KeyFilter.h"
#include "titletable/TitleCharTable.h"

namespace zel {

namespace {

// First occurrence at an odd position (1, 3, 5 ...), or -1.
qsizetype byteAlignedIndex(const QString& line, const QString& text) {
    for (qsizetype at = line.indexOf(text); at >= 0; at = line.indexOf(text, at + 1))
        if (at % 2 == 0) // 0-based even is 1-based odd
            return at;
    return -1;
}

constexpr FindDialogRules kTitleRules{FindContextTitle,       128, true, true, false,
                                      FindMatchRule::Anywhere};
constexpr FindDialogRules kTestRules{
    FindContextTest, 494, true, true, true, FindMatchRule::ByteBoundary};
constexpr FindDialogRules kLogRules{FindContextLog, 504,   false,
                                    false,          false, FindMatchRule::Anywhere};

} // namespace

bool TextMatches(const QString& line, const FindOptions& options) {
    if (options.text.isEmpty())
        return false;
    if (options.whole)
        return line == options.text;
    if (options.rule == FindMatchRule::ByteBoundary)
        return byteAlignedIndex(line, options.text) >= 0;
    return line.contains(options.text);
}

QString ReplaceMatches(const QString& line, const FindOptions& options,
                       const QString& replacement) {
    if (options.whole)
        return replacement;
    QString result = line;
    return result.replace(options.text, replacement);
}

bool FindDialogRules::textUsable(const QString& text) const {
    return !text.isEmpty() && (!evenLengthOnly || text.size() % 2 == 0);
}

FindDialogRules FindRulesFor(int context) {
    switch (context) {
    case FindContextTest:
        return kTestRules;
    case FindContextLog:
        return kLogRules;
    default:
        return kTitleRules;
    }
}

int FilterFindKey(int context, int key, const TitleCharTable& table) {
    switch (context) {
    case FindContextTest:
        return FilterKeyAscii(key, KeyFilterMode::Hexadecimal);
    case FindContextLog:
        return key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key;
    default:
        table.NormalizeTitleKey(key);
        return key;
    }
}

bool CheckHexReplacement(const QString& text) {
    for (const QChar ch : text)
        if (!((ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) ||
              (ch >= QLatin1Char('A') && ch <= QLatin1Char('F'))))
            return false;
    return true;
}

} // namespace zel
