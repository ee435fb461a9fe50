#include "titles/TitleDocument.h"
#include "RecordingSink.h"
#include "shell/LanguageTables.h"
#include "titles/TitleCheck.h"
#include "titles/TitleSlots.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <gtest/gtest.h>

using namespace zel;
using zel::test::RecordingSink;

TEST(TitleDocument, NewDocumentHasTheDocumentedCategories) {
    // The 302 titles and their order show in the written file and the all-download walk.
    TitleDocument document;
    const TitleRow& last = document.row(CategoryPosition, 254);
    EXPECT_EQ((QStringList{last.number, last.numberKey, last.checkMark, document.RemoteNo}),
              (QStringList{u"255"_qs, u"255"_qs, u"FFFF"_qs, u"1"_qs}));
    // Unknown numbers and categories read empty and are not written.
    document.setTitle(CategoryTrace, 3, u"x"_qs);
    document.setTitle(9, 1, u"x"_qs);
    EXPECT_EQ(document.title(CategoryTrace, 3), QString());
    EXPECT_EQ(document.rowCount(9), 0);
}

TEST(TitleDocument, ClearCategoryRebuildsInNumberOrder) {
    TitleDocument document;
    document.setTitle(CategoryPosition, 4, u"x"_qs);
    document.setTitle(CategoryHome, 2, u"h"_qs);
    document.row(CategoryPosition, 9).checkMark.clear();
    document.sortByCheckMark(CategoryPosition);
    EXPECT_FALSE(document.isInNumberOrder(CategoryPosition));
    EXPECT_EQ(document.title(CategoryPosition, 10), QString());
    EXPECT_EQ(document.title(CategoryPosition, 4), u"x"_qs); // found by number
    document.ClearCategory(CategoryPosition);
    EXPECT_TRUE(document.isInNumberOrder(CategoryPosition));
    EXPECT_EQ((QStringList{document.title(CategoryPosition, 4), document.title(CategoryHome, 2)}),
              (QStringList{{}, u"h"_qs}));
    document.ClearAllTitles();
    EXPECT_EQ(document.title(CategoryHome, 2), QString());
}

TEST(TitleSlots, OpenFilesAreComparedAcrossSlots) {
    TitleSlots titleSlots;
    titleSlots.setTitleFileName(3, u"/a.ttl"_qs);
    EXPECT_TRUE(titleSlots.isOpenInOtherSlot(u"/a.ttl"_qs, 1));
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(u"/a.ttl"_qs, 3));
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(u"/A.ttl"_qs, 1)); // exact comparison
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(QString(), 1));    // windows without a file
    titleSlots.setTitleFileName(9, u"/b.ttl"_qs);                // no such slot
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(u"/b.ttl"_qs, 1));
    titleSlots.setTitleFileName(3, QString()); // its window closed
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(u"/a.ttl"_qs, 1));
}

TEST(TitleCheck, AllCategoriesAndResultMessage) {
    const TitleCharTable table(0);
    LanguageTables language;
    TitleDocument document;
    EXPECT_TRUE(CheckAllCategories(document, table).passed()); // empty titles pass
    document.setTitle(CategoryCamera, 1, u"ABCDEFGHIJ"_qs);
    document.setTitle(CategoryAux, 8, u"~"_qs);
    const TitleCheckCounts counts = CheckAllCategories(document, table);
    EXPECT_EQ(std::pair(counts.characterErrors, counts.lengthErrors), std::pair(1, 1));
    const QString text = CheckResultText(language, counts);
    EXPECT_EQ(text, u"\"input character error          \""_qs + QString(15, QLatin1Char(' ')) +
                        u"1 titles "_qs + u"\r\r\"exceeded character number\""_qs +
                        QString(15, QLatin1Char(' ')) + u"1 titles "_qs);
    RecordingSink sink;
    EXPECT_FALSE(ShowCheckResult(sink, language, counts));
    EXPECT_TRUE(ShowCheckResult(sink, language, TitleCheckCounts{}));
    EXPECT_EQ(sink.numbers(), (QList<int>{17, 18}));
    EXPECT_EQ(sink.shown[1].extra, u"No Error"_qs);
}
