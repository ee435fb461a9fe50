#include "link/CommLogWindow.h"
#include "RecordingSink.h"
#include "link/CommLogModel.h"
#include "link/CommLogStore.h"

#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {
class CommLogWindowTest : public ::testing::Test {
protected:
    QPushButton* button(const char* name) {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    }
    QMenu* menu(const char* name) { return window.findChild<QMenu*>(QString::fromLatin1(name)); }
    QString cell(int row, int column) {
        return window.model().index(row, column).data().toString();
    }

    CommLogStore store;
    RecordingSink sink;
    gui::CommLogWindow window{store, sink};
};
} // namespace

TEST_F(CommLogWindowTest, CaptionsAndInitialState) {
    EXPECT_EQ(window.windowTitle(), QStringLiteral("通信ログ"));
    EXPECT_EQ(button("CommandStart")->text(), QStringLiteral("LOG START"));
    EXPECT_TRUE(button("CommandStart")->isEnabled());
    EXPECT_FALSE(button("CommandStop")->isEnabled());
    EXPECT_EQ(menu("mnuFile")->title(), QStringLiteral("ファイル(&F)"));
    EXPECT_EQ(window.model().rowCount(), 3000);
}

TEST_F(CommLogWindowTest, RecordingWindowClearsThenShows) {
    store.Add_MsFlexGrid(QStringLiteral("OLD:"), QStringLiteral("00"));
    window.model().View_MsFlexGridCommLog();
    EXPECT_EQ(cell(0, 1), QStringLiteral("OLD:"));

    button("CommandStart")->click();
    EXPECT_FALSE(button("CommandStart")->isEnabled());
    EXPECT_TRUE(button("CommandStop")->isEnabled());
    EXPECT_FALSE(menu("mnuFile")->isEnabled());
    EXPECT_FALSE(menu("mnuSearch")->isEnabled());
    EXPECT_TRUE(cell(0, 1).isEmpty());

    store.Add_MsFlexGrid_Host(QStringLiteral("1"), QStringLiteral("FE080010012038FFFF"));
    store.Add_MsFlexGrid_Cam(QStringLiteral("1"), QStringLiteral("06"));
    EXPECT_TRUE(cell(0, 1).isEmpty()); // shown only after the stop

    button("CommandStop")->click();
    EXPECT_TRUE(menu("mnuFile")->isEnabled());
    EXPECT_EQ(cell(0, 1), QStringLiteral("HOST1:"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("FE080010012038FFFF"));
    EXPECT_EQ(cell(1, 1), QStringLiteral("CAMERA1:"));
    EXPECT_TRUE(cell(2, 1).isEmpty());
}

TEST_F(CommLogWindowTest, SizeRules) {
    window.show();
    window.resize(100, 50);
    EXPECT_GE(window.width(), gui::CommLogWindow::kMinWidth);
    EXPECT_GE(window.height(), gui::CommLogWindow::kMinHeight);
    window.resize(800, 600);
    QTableView& grid = window.grid();
    EXPECT_EQ(grid.width(), 800 - gui::CommLogWindow::kGridWidthMargin);
    EXPECT_EQ(grid.columnWidth(1), gui::CommLogWindow::kUnitColumnWidth);
    // The data column takes the rest of the width and the row fits without a horizontal bar.
    const int rest =
        800 - gui::CommLogWindow::kDataColumnMargin - gui::CommLogWindow::kUnitColumnWidth;
    EXPECT_LE(grid.columnWidth(2), rest);
    EXPECT_GT(grid.columnWidth(2), rest - 40);
    EXPECT_LE(grid.columnWidth(1) + grid.columnWidth(2), grid.width() - 2 * grid.frameWidth());
    EXPECT_TRUE(grid.isColumnHidden(0));
    EXPECT_FALSE(grid.verticalHeader()->isVisible());
}

TEST_F(CommLogWindowTest, SaveLoadAndClose) {
    QTemporaryDir dir;
    store.Add_MsFlexGrid(QStringLiteral("HOST1:"), QStringLiteral("FE07255099EAFFFF"));
    const QString path = dir.filePath(QStringLiteral("x.log"));
    window.saveTo(path);
    store.clear();
    window.loadFrom(path);
    EXPECT_EQ(cell(0, 1), QStringLiteral("HOST1"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("FE07255099EAFFFF"));

    QSignalSpy closed(&window, &gui::CommLogWindow::closed);
    window.show();
    window.close();
    EXPECT_EQ(closed.count(), 1);
    EXPECT_EQ(store.count(), 1); // the store keeps its entries
}

TEST_F(CommLogWindowTest, FramesInAFixedWidthFontWithTheWholeFrameOnHover) {
    const QString longReply =
        QStringLiteral("FD2A") + QString(80, QLatin1Char('A')) + QStringLiteral("FFFF");
    store.Add_MsFlexGrid(QStringLiteral("CAMERA1:"), longReply);
    window.model().View_MsFlexGridCommLog();
    const QModelIndex data = window.model().index(0, gui::CommLogModel::ColumnData);
    EXPECT_EQ(data.data(Qt::ToolTipRole).toString(), longReply);
    const QFont font = data.data(Qt::FontRole).value<QFont>();
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
    const QFontMetrics metrics(font);
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("11")),
              metrics.horizontalAdvance(QStringLiteral("FD")));
    // Empty rows of the fixed grid have no tooltip.
    EXPECT_FALSE(
        window.model().index(5, gui::CommLogModel::ColumnData).data(Qt::ToolTipRole).isValid());
}
