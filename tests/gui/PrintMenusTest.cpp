// The print menus of the screens: each opens the preview of what the screen shows.
#include "MemoryLink.h"
#include "TestFiles.h"
#include "commtest/CommTestWindow.h"
#include "commtest/TestRowsPanel.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/Application.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleWindow.h"
#include "titletable/TitleCategory.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::gui;
using namespace zel::test;

namespace {

// The preview `owner` opened last; closed by the caller.
ReportPreviewDialog* openedPreview(QWidget& owner) {
    const QList<ReportPreviewDialog*> previews = owner.findChildren<ReportPreviewDialog*>();
    return previews.isEmpty() ? nullptr : previews.last();
}

class CommTestPrintMenuTest : public ::testing::Test, protected MemoryLink {
protected:
    CommTestPrintMenuTest() {
        openTestPort();
        window.show();
    }

    LanguageTables language;
    CommTestWindow window{engine, language, sink};
};

// A title window of a run without a serial device, in Japanese.
class TitlePrintMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("zel.ini")), "[LANGUAGE]\nMode=1\n"));
        ASSERT_TRUE(app.readSettings(dir.path()));
        app.settings().PortOverride = dir.filePath(QStringLiteral("no-device"));
        app.start(sink);
        window = std::make_unique<TitleWindow>(app, 1);
        window->show();
    }
    void TearDown() override { window.reset(); }

    ReportPreviewDialog* print() {
        window->action(QStringLiteral("mnuPrint"))->trigger();
        return openedPreview(*window);
    }

    QTemporaryDir dir;
    RecordingSink sink;
    Application app;
    std::unique_ptr<TitleWindow> window;
};

} // namespace

TEST_F(TitlePrintMenuTest, PrintsTheCategoryOnShowWithTheNumbersOfTheBoxes) {
    window->document().setTitle(CategoryPosition, 3, QStringLiteral("GATE"));
    window->document().setTitle(CategoryCamera, 1, QStringLiteral("CAM"));
    window->TextHostNo()->selectAll();
    QTest::keyClicks(window->TextHostNo(), QStringLiteral("12"));
    window->TabStripID()->setCurrentIndex(CategoryPosition);

    ReportPreviewDialog* grid = print();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->report().reportName, QStringLiteral("DataRepTitleGrid"));
    EXPECT_EQ(grid->report().title, QStringLiteral("タイトル設定"));
    EXPECT_EQ(grid->report().labelValue(QStringLiteral("LabelRemoteNo")), QStringLiteral("12"));
    ASSERT_EQ(grid->report().rows.size(), 255);
    EXPECT_EQ(grid->report().rows[2], (QStringList{QStringLiteral("3 "), QStringLiteral("GATE ")}));
    grid->close();

    window->TabStripID()->setCurrentIndex(CategoryCamera);
    ReportPreviewDialog* text = print();
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->report().reportName, QStringLiteral("DataRepTitleText"));
    EXPECT_EQ(text->report().rows, (QVector<QStringList>{{QStringLiteral("CAM ")}}));
    text->close();
}

TEST_F(CommTestPrintMenuTest, PrintsTheRowsAndSettingsOnTheScreen) {
    QTest::keyClicks(window.rows().TextSend(1), QStringLiteral("0102"));
    window.rows().OptionTypeR(2)->click();
    QTest::keyClicks(window.rows().TextSend(2), QStringLiteral("c10"));
    window.rows().CheckValid(3)->click();
    window.CheckCommTest()->click();

    QAction* print = window.findChild<QAction*>(QStringLiteral("mnuPrint"));
    ASSERT_NE(print, nullptr);
    ASSERT_TRUE(print->isEnabled());
    print->trigger();
    ReportPreviewDialog* preview = openedPreview(window);
    ASSERT_NE(preview, nullptr);
    const PrintReport& report = preview->report();
    EXPECT_EQ(report.reportName, QStringLiteral("DataRepCommTest"));
    ASSERT_EQ(report.rows.size(), 16);
    const QString on = QStringLiteral("○");
    const QString blank = QStringLiteral(" ");
    EXPECT_EQ(report.rows[0],
              (QStringList{on, on, blank, QStringLiteral("2"), QStringLiteral("0102"), QString()}));
    EXPECT_EQ(report.rows[1],
              (QStringList{on, blank, on, QStringLiteral("1"), QStringLiteral("C10"), QString()}));
    EXPECT_EQ(report.rows[2][0], blank);
    EXPECT_EQ(report.labelValue(QStringLiteral("LabelContinueVal")), on);
    preview->close();
}
