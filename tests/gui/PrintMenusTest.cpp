// The print menus of the screens: each opens the preview of what the screen shows.
#include "MemoryLink.h"
#include "commtest/CommTestWindow.h"
#include "commtest/TestRowsPanel.h"
#include "printing/ReportPreviewDialog.h"
#include "shell/LanguageTables.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
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

} // namespace

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
    EXPECT_EQ(report.labelValue(QStringLiteral("LabelFormatVal")), QStringLiteral("×"));
    EXPECT_EQ(report.labelValue(QStringLiteral("LabelTimeVal")), QStringLiteral("0Sec"));
    EXPECT_EQ(preview->pageCount(), 1);
    preview->close();
}
