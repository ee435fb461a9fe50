#pragma once
// Text and page count of a PDF file through poppler's pdftotext and pdfinfo.
#include <QString>

namespace zel::test {

bool HavePdfTools();
// The text of page `page` (1-based; 0: every page) in layout mode; empty when unreadable.
QString PdfText(const QString& path, int page = 0);
int PdfPageCount(const QString& path); // -1 when unreadable

} // namespace zel::test
