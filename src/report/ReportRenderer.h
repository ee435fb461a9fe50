#pragma once
// Lays a PrintReport out on pages with QPainter: the report title, subtitle and labels on top
// of every page, a bordered table whose column headers repeat on every page, and
// "page / pages" at the foot. Works on any paged device: QPrinter (print and preview) and
// QPdfWriter (zelctl).
#include "printing/PrintReport.h"

#include <QFont>
#include <QVector>

class QPagedPaintDevice;
class QPainter;
class QRectF;

namespace zel {

struct PageRows;

// A4 portrait with 15 mm margins: what every report is laid out on unless the user changed
// the page in the print preview.
void ApplyReportPageLayout(QPagedPaintDevice& device);

class ReportRenderer {
public:
    explicit ReportRenderer(PrintReport report);

    // Paints every page on `device`. False, with a description in `error`, when the device
    // cannot be painted on or refuses a new page.
    bool render(QPagedPaintDevice& device, QString* error = nullptr);
    int pageCount() const { return m_pageCount; } // pages of the last render

private:
    struct Column {
        QString header;
        int weight;
        bool fixedPitch;
        bool centered;
    };

    void measure(QPaintDevice& device);
    double textHeight(const QFont& font, double width, const QString& text) const;
    QString cellText(int row, int column) const;
    // Draws the page header when `painter` is given; returns its height either way.
    double layoutPageHeader(QPainter* painter) const;
    double drawTableHeader(QPainter& painter, double top) const;
    double drawRow(QPainter& painter, int row, double top) const;
    void drawCell(QPainter& painter, const QRectF& cell, const QFont& font, int column,
                  const QString& text) const;
    void drawFooter(QPainter& painter, int page) const;
    bool paintPages(QPainter& painter, QPagedPaintDevice& device, const QVector<PageRows>& pages,
                    QString* error) const;

    PrintReport m_report;
    QVector<Column> m_columns;
    QPaintDevice* m_device = nullptr;
    double m_dotsPerMm = 1;
    double m_pageWidth = 0;
    double m_pageHeight = 0;
    QVector<double> m_columnLeft; // left edge of each column, then the table's right edge
    QVector<double> m_rowHeights;
    double m_headerRowHeight = 0;
    double m_pageHeaderHeight = 0;
    double m_footerHeight = 0;
    int m_pageCount = 0;
    QFont m_titleFont;
    QFont m_subtitleFont;
    QFont m_labelFont;
    QFont m_headerFont;
    QFont m_cellFont;
    QFont m_fixedFont;
    QFont m_footerFont;
};

} // namespace zel
