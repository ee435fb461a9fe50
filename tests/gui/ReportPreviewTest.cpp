// The print preview: what a printer that cannot start shows.
#include "link/CommLogStore.h"
#include "printing/PrintData.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/LanguageTables.h"

#include <QApplication>
#include <QMessageBox>
#include <QPrinter>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zel;

namespace {

struct SeenBox {
    QString name;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Closes the next modal message box once it shows and remembers what it said.
void closeNextBox(SeenBox& seen) {
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return closeNextBox(seen);
        seen = {box->objectName(), box->windowTitle(), box->text(), box->icon()};
        box->accept();
    });
}

} // namespace

TEST(ReportPreview, PrinterThatCannotStartShowsTheErrorOnce) {
    LanguageTables language;
    language.setLanguageIndex(1);
    gui::ReportPreviewDialog preview(GatherCommLogReport(CommLogStore{}), language);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QStringLiteral("/nonexistent-folder/out.pdf"));

    SeenBox seen;
    closeNextBox(seen);
    emit preview.paintRequested(&printer);
    EXPECT_EQ(seen.name, QStringLiteral("PrintError"));
    EXPECT_EQ(seen.title, QStringLiteral("エラーが発生しました"));
    EXPECT_FALSE(seen.text.isEmpty());
    EXPECT_EQ(seen.icon, QMessageBox::Critical);

    seen = {};
    emit preview.paintRequested(&printer); // the preview repaints: no second box
    QApplication::processEvents();
    EXPECT_TRUE(seen.name.isEmpty());
}
