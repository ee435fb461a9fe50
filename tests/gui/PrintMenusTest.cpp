// The print menu of the communication test and the preview the screens open.
#include "MemoryLink.h"
#include "NextMessageBox.h"
#include "PdfText.h"
#include "commtest/CommTestWindow.h"
#include "commtest/TestRowsPanel.h"
#include "link/CommLogStore.h"
#include "printing/PrintData.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/LanguageTables.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::gui;
using namespace zel::test;

// The preview `owner` opened last; closed by the caller.
static ReportPreviewDialog* openedPreview(QWidget& owner) {
    const QList<ReportPreviewDialog*> previews = owner.findChildren<ReportPreviewDialog*>();
    return previews.isEmpty() ? nullptr : previews.last();
}

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
    ReportPreviewDialog* preview = openedPreview(window);
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
