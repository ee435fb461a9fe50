#pragma once
// The check that gates an upload: every title of a category against the character table and
// the length rule. Failing rows lose their check mark (shown red); the POSITION grid is put
// back into number order first.
#include <QString>

namespace zel {

class LanguageTables;
class MessageSink;
class TitleCharTable;
class TitleDocument;

struct TitleCheckCounts {
    int characterErrors = 0;
    int lengthErrors = 0;
    bool passed() const { return characterErrors == 0 && lengthErrors == 0; }
    TitleCheckCounts& operator+=(const TitleCheckCounts& other) {
        characterErrors += other.characterErrors;
        lengthErrors += other.lengthErrors;
        return *this;
    }
};

TitleCheckCounts CheckCategory(TitleDocument& document, const TitleCharTable& table, int category);
// The nine categories, counts summed (the all-upload check).
TitleCheckCounts CheckAllCategories(TitleDocument& document, const TitleCharTable& table);

// The check result message text: the two captions with their counts, joined by two CRs.
QString CheckResultText(const LanguageTables& language, const TitleCheckCounts& counts);
// "No Error" (message 18) when passed, else the check result (message 17). Returns passed.
bool ShowCheckResult(MessageSink& messages, const LanguageTables& language,
                     const TitleCheckCounts& counts);

} // namespace zel
