// The print menus of the screens and the preview they open.
#include "MemoryLink.h"
#include "NextMessageBox.h"
#include "PdfText.h"
#include "TestFiles.h"
#include "commtest/CommTestWindow.h"
#include "commtest/TestRowsPanel.h"
#include "link/CommLogStore.h"
#include "printing/PrintData.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/Application.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleWindow.h"
#include "titletable/TitleCategory.h"

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
#include <QTabBar>
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

// A title window of a run without a serial device, in Japanese.
class TitlePrintMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(writeBytes(dir.filePath(u"zel.ini"_qs), "[LANGUAGE]\nMode=1\n"));
        ASSERT_TRUE(app.readSettings(dir.path()));
        app.settings().PortOverride = dir.filePath(u"no-device"_qs);
        app.start(sink);
        window = std::make_unique<TitleWindow>(app, 1);
        window->show();
    }
    void TearDown() override { window.reset(); }

    ReportPreviewDialog* print() {
        window->action(u"mnuPrint"_qs)->trigger();
        return openedPreview(*window);
    }

    QTemporaryDir dir;
    RecordingSink sink;
    Application app;
    std::unique_ptr<TitleWindow> window;
};

TEST_F(TitlePrintMenuTest, PrintsTheCategoryOnShowWithTheNumbersOfTheBoxes) {
    window->document().setTitle(CategoryPosition, 3, u"GATE"_qs);
    window->document().setTitle(CategoryCamera, 1, u"CAM"_qs);
    window->TextHostNo()->selectAll();
    QTest::keyClicks(window->TextHostNo(), u"12"_qs);
    window->TabStripID()->setCurrentIndex(CategoryPosition);

    ReportPreviewDialog* grid = print();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->report().reportName, u"DataRepTitleGrid"_qs);
    EXPECT_EQ(grid->report().title, u"タイトル設定"_qs);
    EXPECT_EQ(grid->report().labelValue(u"LabelRemoteNo"_qs), u"12"_qs);
    ASSERT_EQ(grid->report().rows.size(), 255);
    EXPECT_EQ(grid->report().rows[2], (QStringList{u"3 "_qs, u"GATE "_qs}));
    grid->close();

    window->TabStripID()->setCurrentIndex(CategoryCamera);
    ReportPreviewDialog* text = print();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->report().reportName, u"DataRepTitleText"_qs);
    EXPECT_EQ(text->report().rows, (QVector<QStringList>{{u"CAM "_qs}}));
    text->close();
}

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
