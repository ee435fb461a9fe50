// The print menu of the communication test, the preview the screens open, and the report
// layout on real PDF pages.
#include "MemoryLink.h"
#include "NextMessageBox.h"
#include "PdfText.h"
#include "ReportPagination.h"
#include "ReportRenderer.h"
#include "commtest/CommTestWindow.h"
#include "commtest/TestRowsPanel.h"
#include "link/CommLogStore.h"
#include "printing/PrintData.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titletable/TitleCategory.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <numeric>

using namespace zel;
using namespace zel::gui;
using namespace zel::test;

class CommTestPrintMenuTest : public ::testing::Test, protected MemoryLink {
protected:
    CommTestPrintMenuTest() {
        openTestPort();
        window.show();
    }

    LanguageTables language;
    CommTestWindow window{engine, language, sink};
};

TEST_F(CommTestPrintMenuTest, PrintsTheRowsAndSettingsOnTheScreen) {
    QTest::keyClicks(window.rows().TextSend(1), u"0102"_qs);
    window.rows().OptionTypeR(2)->click();
    QTest::keyClicks(window.rows().TextSend(2), u"c10"_qs);
    window.rows().CheckValid(3)->click();
    window.CheckCommTest()->click();

    QAction* print = window.findChild<QAction*>(u"mnuPrint"_qs);
    ASSERT_NE(print, nullptr);
    ASSERT_TRUE(print->isEnabled());
    print->trigger();
    auto* preview = window.findChild<ReportPreviewDialog*>();
    ASSERT_NE(preview, nullptr);
    const PrintReport& report = preview->report();
    EXPECT_EQ(report.reportName, u"DataRepCommTest"_qs);
    ASSERT_EQ(report.rows.size(), 16);
    const QString on = u"○"_qs;
    const QString blank = u" "_qs;
    EXPECT_EQ(report.rows[0], (QStringList{on, on, blank, u"2"_qs, u"0102"_qs, QString()}));
    EXPECT_EQ(report.rows[1], (QStringList{on, blank, on, u"1"_qs, u"C10"_qs, QString()}));
    EXPECT_EQ(report.rows[2][0], blank);
    EXPECT_EQ(report.labelValue(u"LabelContinueVal"_qs), on);
    preview->close();
}

TEST(ReportPreview, PrinterThatCannotStartShowsTheErrorOnce) {
    LanguageTables language;
    language.setLanguageIndex(1);
    ReportPreviewDialog preview(GatherCommLogReport(CommLogStore{}), language);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(u"/nonexistent-folder/out.pdf"_qs);

    const auto seen = test::AnswerNextBox();
    emit preview.paintRequested(&printer);
    EXPECT_EQ(seen->name, u"PrintError"_qs);
    EXPECT_EQ(seen->title, u"エラーが発生しました"_qs);
    EXPECT_FALSE(seen->text.isEmpty());
    EXPECT_EQ(seen->icon, QMessageBox::Critical);

    // The preview repaints: no second box (one would wait here for an answer).
    emit preview.paintRequested(&printer);
}

TEST(ReportPreview, ToolBarSavesAPdfAndCloses) {
    CommLogStore store;
    store.Add_MsFlexGrid(u"HOST1:"_qs, u"FE07255099EAFFFF"_qs);
    LanguageTables language;
    language.setLanguageIndex(1);
    auto* preview = ReportPreviewDialog::openFor(nullptr, GatherCommLogReport(store), language);
    QPointer<ReportPreviewDialog> alive(preview);
    auto* pdf = preview->findChild<QPushButton*>(u"SaveAsPdf"_qs);
    auto* close = preview->findChild<QPushButton*>(u"ClosePreview"_qs);
    ASSERT_TRUE(pdf && close);
    EXPECT_EQ(pdf->text(), u"PDFとして保存…"_qs);
    EXPECT_EQ(close->text(), u"閉じる"_qs);

    QTemporaryDir dir;
    const QString path = dir.filePath(u"log.pdf"_qs);
    ASSERT_TRUE(preview->saveAsPdf(path));
    ASSERT_TRUE(QFile::exists(path));
    if (test::HavePdfTools()) {
        EXPECT_TRUE(test::PdfText(path).contains(u"FE07255099EAFFFF"_qs));
    }
    // A folder that is not there: the failure is said, not passed over.
    EXPECT_FALSE(preview->saveAsPdf(dir.filePath(u"none/log.pdf"_qs)));
    QApplication::processEvents();

    EXPECT_TRUE(pdf->isVisible());
    close->click();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}

// Report layout on real PDF pages: paging, repeated headers, page numbers, wrapped data.
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
    EXPECT_FALSE(renderer.render(writer, &error) || error.isEmpty());
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
    EXPECT_EQ(counts(PaginateRows({}, 10)), (QList<int>{0}));     // one empty page
    EXPECT_EQ(PaginateRows({4, 4, 4, 4}, 9)[1].first, 2);
}
