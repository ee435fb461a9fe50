#include "ReportPreviewDialog.h"

#include "ReportRenderer.h"
#include "printing/PrintData.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPrinter>

namespace zel::gui {

ReportPreviewDialog::ReportPreviewDialog(PrintReport report, const LanguageTables& language,
                                         QWidget* parent)
    : QPrintPreviewDialog(parent), m_report(std::move(report)), m_language(language) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(m_report.title);
    ApplyReportPageLayout(*printer());
    printer()->setDocName(m_report.title);
    connect(this, &QPrintPreviewDialog::paintRequested, this, &ReportPreviewDialog::paintReport);
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
