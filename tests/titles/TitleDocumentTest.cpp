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
    TitleDocument document;
    int total = 0;
    for (int category = 0; category < kTitleCategoryCount; ++category)
        total += document.rowCount(category);
    EXPECT_EQ(total, 302);
    EXPECT_EQ(document.rowCount(CategoryPosition), 255);
    EXPECT_EQ(document.rowCount(CategoryAutoPan), 1);
    const TitleRow& last = document.row(CategoryPosition, 254);
    EXPECT_EQ(last.number, QStringLiteral("255"));
    EXPECT_EQ(last.numberKey, QStringLiteral("255"));
    EXPECT_EQ(last.checkMark, QStringLiteral("FFFF"));
    EXPECT_EQ(document.RemoteNo, QStringLiteral("1"));
    // Unknown numbers and categories read empty and are not written.
    document.setTitle(CategoryTrace, 3, QStringLiteral("x"));
    document.setTitle(9, 1, QStringLiteral("x"));
    EXPECT_EQ(document.title(CategoryTrace, 3), QString());
    EXPECT_EQ(document.rowCount(9), 0);
}

TEST(TitleDocument, ClearCategoryRebuildsInNumberOrder) {
    TitleDocument document;
    document.setTitle(CategoryPosition, 4, QStringLiteral("x"));
    document.setTitle(CategoryHome, 2, QStringLiteral("h"));
    document.row(CategoryPosition, 9).checkMark.clear();
    document.sortByCheckMark(CategoryPosition);
    EXPECT_FALSE(document.isInNumberOrder(CategoryPosition));
    EXPECT_EQ(document.title(CategoryPosition, 10), QString());
    EXPECT_EQ(document.title(CategoryPosition, 4), QStringLiteral("x")); // found by number
    document.ClearCategory(CategoryPosition);
    EXPECT_TRUE(document.isInNumberOrder(CategoryPosition));
    EXPECT_EQ(document.title(CategoryPosition, 4), QString());
    EXPECT_EQ(document.title(CategoryHome, 2), QStringLiteral("h"));
    document.ClearAllTitles();
    EXPECT_EQ(document.title(CategoryHome, 2), QString());
}

TEST(TitleSlots, OpenFilesAreComparedAcrossSlots) {
    TitleSlots titleSlots;
    titleSlots.setTitleFileName(3, QStringLiteral("/a.ttl"));
    EXPECT_TRUE(titleSlots.isOpenInOtherSlot(QStringLiteral("/a.ttl"), 1));
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(QStringLiteral("/a.ttl"), 3));
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(QStringLiteral("/A.ttl"), 1)); // exact comparison
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(QString(), 1)); // windows without a file
    titleSlots.setTitleFileName(9, QStringLiteral("/b.ttl")); // no such slot
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(QStringLiteral("/b.ttl"), 1));
    titleSlots.setTitleFileName(3, QString()); // its window closed
    EXPECT_FALSE(titleSlots.isOpenInOtherSlot(QStringLiteral("/a.ttl"), 1));
}

TEST(TitleCheck, AllCategoriesAndResultMessage) {
    const TitleCharTable table(0);
    LanguageTables language;
    TitleDocument document;
    EXPECT_TRUE(CheckAllCategories(document, table).passed()); // empty titles pass
    document.setTitle(CategoryCamera, 1, QStringLiteral("ABCDEFGHIJ"));
    document.setTitle(CategoryAux, 8, QStringLiteral("~"));
    const TitleCheckCounts counts = CheckAllCategories(document, table);
    EXPECT_EQ(counts.characterErrors, 1);
    EXPECT_EQ(counts.lengthErrors, 1);
    const QString text = CheckResultText(language, counts);
    EXPECT_EQ(text, QStringLiteral("\"input character error          \"") +
                        QString(15, QLatin1Char(' ')) + QStringLiteral("1 titles ") +
                        QStringLiteral("\r\r\"exceeded character number\"") +
                        QString(15, QLatin1Char(' ')) + QStringLiteral("1 titles "));
    RecordingSink sink;
    EXPECT_FALSE(ShowCheckResult(sink, language, counts));
    EXPECT_TRUE(ShowCheckResult(sink, language, TitleCheckCounts{}));
    EXPECT_EQ(sink.numbers(), (QList<int>{17, 18}));
    EXPECT_EQ(sink.shown[1].extra, QStringLiteral("No Error"));
}
