// Report layout on real PDF pages: paging, repeated headers, page numbers, wrapped data.
#include "ReportRenderer.h"
#include "PdfText.h"
#include "ReportPagination.h"
#include "link/CommLogStore.h"
#include "printing/PrintData.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titletable/TitleCategory.h"

#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <numeric>

using namespace zel;
using namespace zel::test;

class ReportRendererTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!HavePdfTools())
            GTEST_SKIP() << "pdftotext and pdfinfo are not installed";
    }

    // Renders to a PDF file; the page count of the renderer.
    int render(const PrintReport& report) {
        QPdfWriter writer(pdf);
        ApplyReportPageLayout(writer);
        ReportRenderer renderer(report);
        QString error;
        EXPECT_TRUE(renderer.render(writer, &error)) << error.toStdString();
        return renderer.pageCount();
    }

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"report.pdf"_qs);
    LanguageTables language;
};

// "page / pages" at the foot (the text extractor may drop the narrow blanks).
static QRegularExpression pageNumber(int page, int pages) {
    return QRegularExpression(u"(^|\\s)%1\\s*/\\s*%2\\s*$"_qs.arg(page).arg(pages),
                              QRegularExpression::MultilineOption);
}

// The numbers at the start of the table lines of a title page, in page order.
static QList<int> titleNumbersOn(const QString& pageText) {
    QList<int> numbers;
    static const QRegularExpression row(u"^\\s*(\\d+)\\s+P(\\d+)\\s*$"_qs,
                                        QRegularExpression::MultilineOption);
    for (auto it = row.globalMatch(pageText); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        EXPECT_EQ(match.captured(1), match.captured(2)); // number and title stay on one line
        numbers.append(match.captured(1).toInt());
    }
    return numbers;
}

TEST_F(ReportRendererTest, FullPositionGridSpansPagesWithTheHeaderOnEach) {
    TitleDocument document;
    document.RemoteNo = u"7"_qs;
    for (int number = 1; number <= 255; ++number)
        document.setTitle(CategoryPosition, number, u"P%1"_qs.arg(number));
    const int pages = render(*GatherTitleReport(document, CategoryPosition, language));
    ASSERT_GT(pages, 1);
    ASSERT_EQ(PdfPageCount(pdf), pages);

    QList<int> printed;
    for (int page = 1; page <= pages; ++page) {
        const QString text = PdfText(pdf, page);
        for (const QString& heading : {u"Title setting"_qs, u"POSITION ID"_qs, u"REMOTE No.：7"_qs})
            EXPECT_TRUE(text.contains(heading)) << page << " " << heading.toStdString();
        EXPECT_TRUE(text.contains(QRegularExpression(u"POSITION No\\.\\s+ID"_qs))) << page;
        EXPECT_TRUE(text.contains(pageNumber(page, pages))) << page;
        const QList<int> onPage = titleNumbersOn(text);
        EXPECT_FALSE(onPage.isEmpty()) << page;
        printed += onPage;
    }
    QList<int> expected(255);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(printed, expected); // every title once, in number order
}

TEST_F(ReportRendererTest, LongDataWrapsInsideItsCellAndJapaneseIsKept) {
    CommLogStore store;
    const QString longFrame = u"AB"_qs.repeated(247);
    store.Add_MsFlexGrid(u"HOST1:"_qs, longFrame);
    store.Add_MsFlexGrid(u"CAMERA1:"_qs, u"06"_qs);
    ASSERT_EQ(render(GatherCommLogReport(store)), 1);
    QString text = PdfText(pdf);
    EXPECT_TRUE(text.contains(u"通信ログ"_qs) && text.contains(u"送信元"_qs)) << text.toStdString();
    EXPECT_TRUE(text.contains(pageNumber(1, 1)));
    text.remove(QRegularExpression(u"\\s"_qs));
    EXPECT_TRUE(text.contains(longFrame)); // nothing clipped at the cell's edge
}

TEST(ReportRenderer, UnwritableOutputFailsWithADescription) {
    QPdfWriter writer(u"/nonexistent-folder/report.pdf"_qs);
    ReportRenderer renderer(GatherCommLogReport(CommLogStore{}));
    QString error;
    EXPECT_FALSE(renderer.render(writer, &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(ReportPagination, WholeRowsPerPageAndOversizedRowsAlone) {
    auto counts = [](const QVector<PageRows>& pages) {
        QList<int> result;
        for (const PageRows& page : pages)
            result.append(page.count);
        return result;
    };
    EXPECT_EQ(counts(PaginateRows({3, 3, 3, 3, 3}, 10)), (QList<int>{3, 2}));
    EXPECT_EQ(counts(PaginateRows({2, 25, 2}, 10)), (QList<int>{1, 1, 1}));
    EXPECT_EQ(counts(PaginateRows({5, 5}, 10)), (QList<int>{2})); // exactly full
    const QVector<PageRows> none = PaginateRows({}, 10);
    ASSERT_EQ(none.size(), 1);
    EXPECT_EQ(none[0].count, 0);
    const QVector<PageRows> pages = PaginateRows({4, 4, 4, 4}, 9);
    EXPECT_EQ(pages[1].first, 2);
}
