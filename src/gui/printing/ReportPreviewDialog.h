#pragma once
// The print preview of one report: the pages as they will print, from which the user prints,
// saves a PDF ("Save as PDF…") or closes it ("Close"), with the buttons under the pages. A failure
// while painting shows its description under the "Error" text piece.
#include "printing/PrintReport.h"

#include <QPrintPreviewDialog>

namespace zel {
class LanguageTables;
}

namespace zel::gui {

class ReportPreviewDialog : public QPrintPreviewDialog {
    Q_OBJECT
public:
    ReportPreviewDialog(PrintReport report, const LanguageTables& language,
                        QWidget* parent = nullptr);

    const PrintReport& report() const { return m_report; }
    int pageCount() const { return m_pageCount; } // of the last layout

    // Opens the preview window-modal over `parent`; it deletes itself when closed.
    static ReportPreviewDialog* openFor(QWidget* parent, PrintReport report,
                                        const LanguageTables& language);

    // Writes the report to the PDF file `path`; false after showing why it could not.
    bool saveAsPdf(const QString& path);

private:
    void paintReport(QPrinter* printer);
    void addPdfAndClose();
    void askPdfPath();

    PrintReport m_report;
    const LanguageTables& m_language;
    int m_pageCount = 0;
    bool m_failureShown = false; // the preview repaints: one box until a paint succeeds
};

} // namespace zel::gui
