#include "FileDialogRoom.h"

#include <QAbstractItemView>
#include <QFileDialog>
#include <QSplitter>

#include <algorithm>

namespace zel::gui {

namespace {
constexpr int kMinimumWidth = 720;
constexpr int kMinimumHeight = 440;
constexpr int kSideBarExtra = 56; // icon, indent and scroll bar beside the longest place name
} // namespace

void giveFileDialogRoom(QFileDialog& dialog) {
    dialog.resize(dialog.size().expandedTo(QSize(kMinimumWidth, kMinimumHeight)));
    auto* sideBar = dialog.findChild<QAbstractItemView*>(QStringLiteral("sidebar"));
    if (!sideBar || !sideBar->model())
        return; // the platform's own dialog
    int widest = 0;
    for (int row = 0; row < sideBar->model()->rowCount(); ++row)
        widest = std::max(widest, sideBar->fontMetrics().horizontalAdvance(
                                      sideBar->model()->index(row, 0).data().toString()));
    const int sideBarWidth = widest + kSideBarExtra;
    sideBar->setMinimumWidth(sideBarWidth);
    if (auto* splitter = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
        splitter->setSizes({sideBarWidth, std::max(0, dialog.width() - sideBarWidth)});
}

void giveFileDialogRoom(QFileDialog& dialog, const QString& fileName) {
    giveFileDialogRoom(dialog);
    dialog.selectFile(fileName);
}

} // namespace zel::gui
