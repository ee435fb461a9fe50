// The print preview: what a printer that cannot start shows.
#include "NextMessageBox.h"
#include "PdfText.h"
#include "link/CommLogStore.h"
#include "printing/PrintData.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/LanguageTables.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;

TEST(ReportPreview, PrinterThatCannotStartShowsTheErrorOnce) {
    LanguageTables language;
    language.setLanguageIndex(1);
    gui::ReportPreviewDialog preview(GatherCommLogReport(CommLogStore{}), language);
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
    auto* preview =
        gui::ReportPreviewDialog::openFor(nullptr, GatherCommLogReport(store), language);
    QPointer<gui::ReportPreviewDialog> alive(preview);
    auto* pdf = preview->findChild<QPushButton*>(u"SaveAsPdf"_qs);
    auto* close = preview->findChild<QPushButton*>(u"ClosePreview"_qs);
    ASSERT_NE(pdf, nullptr);
    ASSERT_NE(close, nullptr);
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
