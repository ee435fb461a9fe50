#include "TitleCheck.h"

#include "TitleDocument.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "shell/LanguageTables.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

namespace zel {

namespace {

constexpr int kCountFieldWidth = 30;

// 15 blanks, the count and the unit, of which the rightmost 30 characters.
QString countField(int count, const QString& unit) {
    const QString field = QString(15, QLatin1Char(' ')) + QString::number(count) + unit;
    return field.right(kCountFieldWidth);
}

} // namespace

TitleCheckCounts CheckCategory(TitleDocument& document, const TitleCharTable& table, int category) {
    TitleCheckCounts counts;
    if (!IsTitleCategory(category))
        return counts;
    if (category == CategoryPosition)
        document.restoreNumberOrder(category);
    for (int position = 0; position < document.rowCount(category); ++position) {
        TitleRow& row = document.row(category, position);
        row.checkMark = QString::fromUtf16(kCheckPassedMark);
        if (!table.CheckTitleChars(row.title)) {
            ++counts.characterErrors;
            row.checkMark.clear();
        }
        if (!TitleCharTable::CheckTitleLength(row.title)) {
            ++counts.lengthErrors;
            row.checkMark.clear();
        }
    }
    return counts;
}

TitleCheckCounts CheckAllCategories(TitleDocument& document, const TitleCharTable& table) {
    TitleCheckCounts total;
    for (int category = 0; category < kTitleCategoryCount; ++category)
        total += CheckCategory(document, table, category);
    return total;
}

QString CheckResultText(const LanguageTables& language, const TitleCheckCounts& counts) {
    const QString unit = language.piece(MessagePiece::CountUnit);
    return language.piece(MessagePiece::CheckError1) + countField(counts.characterErrors, unit) +
           QStringLiteral("\r\r") + language.piece(MessagePiece::CheckError2) +
           countField(counts.lengthErrors, unit);
}

bool ShowCheckResult(MessageSink& messages, const LanguageTables& language,
                     const TitleCheckCounts& counts) {
    if (counts.passed()) {
        messages.ShowMessage(MessageCheckPassed, language.piece(MessagePiece::NoError));
        return true;
    }
    messages.ShowMessage(MessageCheckErrors, CheckResultText(language, counts));
    return false;
}

} // namespace zel
