#include "ReportPreviewDialog.h"

#include "ReportRenderer.h"
#include "printing/PrintData.h"

#include "common/FileDialogRoom.h"
#include "common/SuggestedFileName.h"
#include "shell/ToolTexts.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLayout>
#include <QMessageBox>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>

namespace zel::gui {

ReportPreviewDialog::ReportPreviewDialog(PrintReport report, const LanguageTables& language,
                                         QWidget* parent)
    : QPrintPreviewDialog(parent), m_report(std::move(report)), m_language(language) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(m_report.title);
    ApplyReportPageLayout(*printer());
    printer()->setDocName(m_report.title);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreviewDialog::paintReport);
    addPdfAndClose();
}

// Two buttons under the pages, where the tool bar's overflow cannot hide them: the pages to
// a PDF file, and away.
void ReportPreviewDialog::addPdfAndClose() {
    auto* buttons = new QDialogButtonBox(this);
    buttons->setContentsMargins(8, 4, 8, 8); // the preview's own layout has none
    QPushButton* pdf =
        buttons->addButton(toolText(m_language, ToolText::SaveAsPdf), QDialogButtonBox::ActionRole);
    pdf->setObjectName(QStringLiteral("SaveAsPdf"));
    QPushButton* close = buttons->addButton(toolText(m_language, ToolText::ClosePreview),
                                            QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("ClosePreview"));
    connect(pdf, &QPushButton::clicked, this, &ReportPreviewDialog::askPdfPath);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    if (layout())
        layout()->addWidget(buttons);
}

void ReportPreviewDialog::askPdfPath() {
    QString title = toolText(m_language, ToolText::SaveAsPdf);
    title.remove(QChar(0x2026));
    auto* dialog = new QFileDialog(this, title, {}, QStringLiteral("PDF (*.pdf)"));
    dialog->setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    dialog->setDefaultSuffix(QStringLiteral("pdf"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    giveFileDialogRoom(*dialog, datedFileName(QDate::currentDate(), QStringLiteral("pdf")));
    connect(dialog, &QFileDialog::fileSelected, this, &ReportPreviewDialog::saveAsPdf);
    dialog->open();
}

bool ReportPreviewDialog::saveAsPdf(const QString& path) {
    QPdfWriter writer(path);
    writer.setTitle(m_report.title);
    ApplyReportPageLayout(writer);
    ReportRenderer renderer(m_report);
    QString error;
    if (renderer.render(writer, &error))
        return true;
    const MessageBoxContent content = ComposePrintError(m_language, error);
    auto* box =
        new QMessageBox(QMessageBox::Critical, content.title, content.text, QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("PrintError"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return false;
}

ReportPreviewDialog* ReportPreviewDialog::openFor(QWidget* parent, PrintReport report,
                                                  const LanguageTables& language) {
    auto* dialog = new ReportPreviewDialog(std::move(report), language, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->resize(800, 700);
    dialog->open();
    return dialog;
}

void ReportPreviewDialog::paintReport(QPrinter* printer) {
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    ReportRenderer renderer(m_report);
    QString error;
    const bool painted = renderer.render(*printer, &error);
    m_pageCount = renderer.pageCount();
    QGuiApplication::restoreOverrideCursor();
    if (painted) {
        m_failureShown = false;
        return;
    }
    if (m_failureShown)
        return;
    m_failureShown = true;
    const MessageBoxContent content = ComposePrintError(m_language, error);
    QMessageBox box(QMessageBox::Critical, content.title, content.text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("PrintError"));
    box.exec();
}

} // namespace zel::gui
