#include "ReportRenderer.h"

#include "ReportPagination.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace zel {

namespace {

// Sizes in millimetres and points.
constexpr double kMarginMm = 15;
constexpr double kCellPaddingMm = 1.2;
constexpr double kCellPaddingTopMm = 0.6;
constexpr double kHeaderGapMm = 4;
constexpr double kLineGapMm = 1;
constexpr double kFooterGapMm = 3;
constexpr double kBorderMm = 0.2;
constexpr double kTitlePt = 15;
constexpr double kSubtitlePt = 11;
constexpr double kTextPt = 9;
constexpr double kFooterPt = 8;
const QColor kHeaderFill(225, 225, 225);

// Proportional captions and fixed-pitch data; Japanese comes from the IPA Gothic faces.
QFont reportFont(double points, bool fixedPitch, bool bold = false) {
    QFont font;
    font.setFamilies(
        fixedPitch ? QStringList{QStringLiteral("IPAGothic"), QStringLiteral("DejaVu Sans Mono"),
                                 QStringLiteral("Monospace")}
                   : QStringList{QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                                 QStringLiteral("DejaVu Sans")});
    font.setStyleHint(fixedPitch ? QFont::Monospace : QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

constexpr int kWrapFlags = Qt::TextWrapAnywhere;

QString joinLabels(const QVector<ReportLabel>& labels) {
    QStringList parts;
    for (const ReportLabel& label : labels)
        parts.append(label.caption + label.value);
    return parts.join(QStringLiteral("      "));
}

} // namespace

void ApplyReportPageLayout(QPagedPaintDevice& device) {
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
}

ReportRenderer::ReportRenderer(PrintReport report)
    : m_report(std::move(report)), m_titleFont(reportFont(kTitlePt, false, true)),
      m_subtitleFont(reportFont(kSubtitlePt, false)), m_labelFont(reportFont(kTextPt, false)),
      m_headerFont(reportFont(kTextPt, false, true)), m_cellFont(reportFont(kTextPt, false)),
      m_fixedFont(reportFont(kTextPt, true)), m_footerFont(reportFont(kFooterPt, false)) {
    if (!m_report.rowNumberHeader.isEmpty())
        m_columns.append({m_report.rowNumberHeader, 2, true, true});
    for (const ReportColumn& column : m_report.columns)
        m_columns.append({column.header, column.weight, column.fixedPitch, column.centered});
}

double ReportRenderer::textHeight(const QFont& font, double width, const QString& text) const {
    const QFontMetricsF metrics(font, m_device);
    // A page set up narrower than the cell padding still gets a measurable column.
    const QRectF bounds =
        metrics.boundingRect(QRectF(0, 0, std::max(width, 1.0), 1e9), kWrapFlags, text);
    return std::max(bounds.height(), metrics.height());
}

QString ReportRenderer::cellText(int row, int column) const {
    if (!m_report.rowNumberHeader.isEmpty()) {
        if (column == 0)
            return QString::number(row + 1);
        --column;
    }
    const QStringList& values = m_report.rows[row];
    return column < values.size() ? values[column] : QString();
}

void ReportRenderer::measure(QPaintDevice& device) {
    m_device = &device;
    m_dotsPerMm = device.logicalDpiY() / 25.4;
    m_pageWidth = device.width();
    m_pageHeight = device.height();
    int totalWeight = 0;
    for (const Column& column : m_columns)
        totalWeight += std::max(column.weight, 1);
    m_columnLeft = {0};
    for (const Column& column : m_columns)
        m_columnLeft.append(m_columnLeft.last() +
                            m_pageWidth * std::max(column.weight, 1) / std::max(totalWeight, 1));

    const double padX = 2 * kCellPaddingMm * m_dotsPerMm;
    const double padY = 2 * kCellPaddingTopMm * m_dotsPerMm;
    m_headerRowHeight = 0;
    for (int c = 0; c < m_columns.size(); ++c)
        m_headerRowHeight =
            std::max(m_headerRowHeight,
                     textHeight(m_headerFont, m_columnLeft[c + 1] - m_columnLeft[c] - padX,
                                m_columns[c].header) +
                         padY);
    m_rowHeights.clear();
    m_rowHeights.reserve(m_report.rows.size());
    for (int row = 0; row < m_report.rows.size(); ++row) {
        double height = 0;
        for (int c = 0; c < m_columns.size(); ++c)
            height = std::max(height, textHeight(m_columns[c].fixedPitch ? m_fixedFont : m_cellFont,
                                                 m_columnLeft[c + 1] - m_columnLeft[c] - padX,
                                                 cellText(row, c)));
        m_rowHeights.append(height + padY);
    }
    m_footerHeight = QFontMetricsF(m_footerFont, &device).height() + kFooterGapMm * m_dotsPerMm;
    m_pageHeaderHeight = layoutPageHeader(nullptr);
}

double ReportRenderer::layoutPageHeader(QPainter* painter) const {
    double y = 0;
    const double lineGap = kLineGapMm * m_dotsPerMm;
    auto line = [&](const QFont& font, const QString& text, int align) {
        const double height = textHeight(font, m_pageWidth, text);
        if (painter) {
            painter->setFont(font);
            painter->drawText(QRectF(0, y, m_pageWidth, height), align | kWrapFlags, text);
        }
        y += height + lineGap;
    };
    line(m_titleFont, m_report.title, Qt::AlignHCenter);
    if (!m_report.subtitle.isEmpty())
        line(m_subtitleFont, m_report.subtitle, Qt::AlignHCenter);
    for (const QVector<ReportLabel>& labels : m_report.labelLines)
        line(m_labelFont, joinLabels(labels), Qt::AlignLeft);
    return y + kHeaderGapMm * m_dotsPerMm;
}

void ReportRenderer::drawCell(QPainter& painter, const QRectF& cell, const QFont& font, int column,
                              const QString& text) const {
    painter.drawRect(cell);
    const double padX = kCellPaddingMm * m_dotsPerMm;
    const double padY = kCellPaddingTopMm * m_dotsPerMm;
    const QRectF inner = cell.adjusted(padX, padY, -padX, -padY);
    // Top-aligned, so a wrapped cell's first line stays level with the rest of its row.
    const int align =
        (m_columns[column].centered ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop | kWrapFlags;
    painter.setFont(font);
    painter.drawText(inner, align, text);
}

double ReportRenderer::drawTableHeader(QPainter& painter, double top) const {
    for (int c = 0; c < m_columns.size(); ++c) {
        const QRectF cell(m_columnLeft[c], top, m_columnLeft[c + 1] - m_columnLeft[c],
                          m_headerRowHeight);
        painter.fillRect(cell, kHeaderFill);
        drawCell(painter, cell, m_headerFont, c, m_columns[c].header);
    }
    return top + m_headerRowHeight;
}

double ReportRenderer::drawRow(QPainter& painter, int row, double top) const {
    const double height = m_rowHeights[row];
    for (int c = 0; c < m_columns.size(); ++c) {
        const QRectF cell(m_columnLeft[c], top, m_columnLeft[c + 1] - m_columnLeft[c], height);
        drawCell(painter, cell, m_columns[c].fixedPitch ? m_fixedFont : m_cellFont, c,
                 cellText(row, c));
    }
    return top + height;
}

void ReportRenderer::drawFooter(QPainter& painter, int page) const {
    painter.setFont(m_footerFont);
    const QString text = QStringLiteral("%1 / %2").arg(page).arg(m_pageCount);
    painter.drawText(QRectF(0, m_pageHeight - m_footerHeight, m_pageWidth, m_footerHeight),
                     Qt::AlignHCenter | Qt::AlignBottom, text);
}

bool ReportRenderer::paintPages(QPainter& painter, QPagedPaintDevice& device,
                                const QVector<PageRows>& pages, QString* error) const {
    QPen border(Qt::black);
    border.setWidthF(kBorderMm * m_dotsPerMm);
    for (int p = 0; p < pages.size(); ++p) {
        if (p > 0 && !device.newPage()) {
            if (error)
                *error = QStringLiteral("The printer refused page %1.").arg(p + 1);
            return false;
        }
        painter.setPen(border);
        double y = drawTableHeader(painter, layoutPageHeader(&painter));
        for (int row = pages[p].first; row < pages[p].first + pages[p].count; ++row)
            y = drawRow(painter, row, y);
        drawFooter(painter, p + 1);
    }
    return true;
}

bool ReportRenderer::render(QPagedPaintDevice& device, QString* error) {
    measure(device);
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = QStringLiteral("The printer or the output file cannot be opened.");
        return false;
    }
    const double bodyHeight =
        m_pageHeight - m_pageHeaderHeight - m_headerRowHeight - m_footerHeight;
    const QVector<PageRows> pages = PaginateRows(m_rowHeights, bodyHeight);
    m_pageCount = static_cast<int>(pages.size());
    const bool painted = paintPages(painter, device, pages, error);
    painter.end();
    return painted;
}

} // namespace zel
