#pragma once
// Shortens a path with an ellipsis to fit a width in pixels, keeping the file name and as
// much of the leading folders as fits ("C:/Users/...\camera1.bin").
#include <QString>

class QFontMetrics;

namespace zel::gui {

class CompactPath {
public:
    static constexpr int kTransferLabelWidth = 325; // labels of the transfer dialog

    static QString fit(const QString& path, const QFontMetrics& metrics,
                       int width = kTransferLabelWidth);
};

} // namespace zel::gui
