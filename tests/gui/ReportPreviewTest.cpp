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
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/out.pdf"));

    const auto seen = test::AnswerNextBox();
    emit preview.paintRequested(&printer);
    EXPECT_EQ(seen->name, QStringLiteral("PrintError"));
    EXPECT_EQ(seen->title, QStringLiteral("エラーが発生しました"));
    EXPECT_FALSE(seen->text.isEmpty());
    EXPECT_EQ(seen->icon, QMessageBox::Critical);

    // The preview repaints: no second box (one would wait here for an answer).
    emit preview.paintRequested(&printer);
}

TEST(ReportPreview, ToolBarSavesAPdfAndCloses) {
    CommLogStore store;
    store.Add_MsFlexGrid(QStringLiteral("HOST1:"), QStringLiteral("FE07255099EAFFFF"));
    LanguageTables language;
    language.setLanguageIndex(1);
    auto* preview =
        gui::ReportPreviewDialog::openFor(nullptr, GatherCommLogReport(store), language);
    QPointer<gui::ReportPreviewDialog> alive(preview);
    auto* pdf = preview->findChild<QPushButton*>(QStringLiteral("SaveAsPdf"));
    auto* close = preview->findChild<QPushButton*>(QStringLiteral("ClosePreview"));
    ASSERT_NE(pdf, nullptr);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(pdf->text(), QStringLiteral("PDFとして保存…"));
    EXPECT_EQ(close->text(), QStringLiteral("閉じる"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.pdf"));
    ASSERT_TRUE(preview->saveAsPdf(path));
    ASSERT_TRUE(QFile::exists(path));
    if (test::HavePdfTools()) {
        EXPECT_TRUE(test::PdfText(path).contains(QStringLiteral("FE07255099EAFFFF")));
    }
    // A folder that is not there: the failure is said, not passed over.
    EXPECT_FALSE(preview->saveAsPdf(dir.filePath(QStringLiteral("none/log.pdf"))));
    QApplication::processEvents();

    EXPECT_TRUE(pdf->isVisible());
    close->click();
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
}
