// What each screen's print gathers: rows, fields and header labels.
#include "printing/PrintData.h"
#include "Words.h"
#include "commtest/TestScreen.h"
#include "link/CommLogStore.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titletable/TitleCategory.h"

#include <gtest/gtest.h>

using namespace zel;
using zel::test::Words;

namespace {

// One text of every column: its field (`&ReportColumn::field`) or its header.
QStringList columnsOf(const PrintReport& report,
                      QString ReportColumn::*text = &ReportColumn::field) {
    QStringList texts;
    for (const ReportColumn& column : report.columns)
        texts.append(column.*text);
    return texts;
}

const QString kOn = QStringLiteral("○");
const QString kOff = QStringLiteral("×");
const QString kBlank = QStringLiteral(" ");

class TitlePrintTest : public ::testing::Test {
protected:
    PrintReport gather(int mode) {
        const std::optional<PrintReport> report = GatherTitleReport(document, mode, language);
        EXPECT_TRUE(report.has_value());
        return report.value_or(PrintReport{});
    }

    TitleDocument document;
    LanguageTables language;
};

} // namespace

TEST_F(TitlePrintTest, TextBoxModesGiveOneTitleNameRow) {
    document.setTitle(CategoryCamera, 1, QStringLiteral("GATE"));
    document.setTitle(CategoryAutoPan, 1, QStringLiteral("PAN 1"));
    document.RemoteNo = QStringLiteral("12");
    document.CameraNo = QStringLiteral("200");

    const PrintReport camera = gather(CategoryCamera);
    EXPECT_EQ(camera.reportName, QStringLiteral("DataRepTitleText"));
    EXPECT_EQ(columnsOf(camera), QStringList{QStringLiteral("TitleName")});
    ASSERT_EQ(camera.rows.size(), 1);
    EXPECT_EQ(camera.rows[0], QStringList{QStringLiteral("GATE ")});
    EXPECT_EQ(camera.title, QStringLiteral("Title setting"));
    EXPECT_EQ(columnsOf(camera, &ReportColumn::header), QStringList{QStringLiteral("Title")});
    EXPECT_EQ(camera.labelValue(QStringLiteral("LabelRemoteNo")), QStringLiteral("12"));
    EXPECT_EQ(camera.labelValue(QStringLiteral("LabelCameraNo")), QStringLiteral("200"));

    const PrintReport autoPan = gather(CategoryAutoPan);
    ASSERT_EQ(autoPan.rows.size(), 1);
    EXPECT_EQ(autoPan.rows[0], QStringList{QStringLiteral("PAN 1 ")});
    EXPECT_EQ(autoPan.subtitle, QStringLiteral("AUTO PAN ID"));
}

TEST_F(TitlePrintTest, GridModesGiveNumberAndNameRowsInThePresentOrder) {
    document.setTitle(CategoryPosition, 2, QStringLiteral("DOOR"));
    document.setTitle(CategoryPosition, 255, QStringLiteral("LAST"));
    PrintReport position = gather(CategoryPosition);
    EXPECT_EQ(position.reportName, QStringLiteral("DataRepTitleGrid"));
    EXPECT_EQ(columnsOf(position), Words("TitleNo TitleName"));
    EXPECT_EQ(columnsOf(position, &ReportColumn::header),
              (QStringList{QStringLiteral("POSITION No."), QStringLiteral("ID")}));
    ASSERT_EQ(position.rows.size(), 255);
    EXPECT_EQ(position.rows[0], (QStringList{QStringLiteral("1 "), kBlank}));
    EXPECT_EQ(position.rows[1], (QStringList{QStringLiteral("2 "), QStringLiteral("DOOR ")}));
    EXPECT_EQ(position.rows[254], (QStringList{QStringLiteral("255 "), QStringLiteral("LAST ")}));

    // After Sort the failed titles come first: the print follows the grid, not the numbers.
    document.row(CategoryPosition, 254).checkMark.clear();
    document.sortByCheckMark(CategoryPosition);
    position = gather(CategoryPosition);
    EXPECT_EQ(position.rows[0], (QStringList{QStringLiteral("255 "), QStringLiteral("LAST ")}));
    EXPECT_EQ(position.rows[1], (QStringList{QStringLiteral("1 "), kBlank}));

    EXPECT_EQ(gather(CategoryTour).rows.size(), 16);
    EXPECT_EQ(gather(CategoryAux).rows.last()[0], QStringLiteral("8 "));
}

TEST_F(TitlePrintTest, CaptionsFollowTheLanguageAndBadModesPrintNothing) {
    language.setLanguageIndex(1);
    const PrintReport report = gather(CategoryTrace);
    EXPECT_EQ(report.title, QStringLiteral("タイトル設定"));
    ASSERT_EQ(report.labelLines.size(), 1);
    EXPECT_EQ(report.labelLines[0][0].caption, QStringLiteral("REMOTE No.："));
    EXPECT_EQ(report.labelLines[0][1].caption, QStringLiteral("CAMERA No.："));
    EXPECT_EQ(gather(CategoryCamera).columns[0].header, QStringLiteral("タイトル"));
    EXPECT_FALSE(GatherTitleReport(document, -1, language).has_value());
    EXPECT_FALSE(GatherTitleReport(document, kTitleCategoryCount, language).has_value());
}

TEST(CommTestPrint, MarksLabelsAndRows) {
    TestScreen screen;
    screen.hostNo = QStringLiteral("5");
    screen.camNo = QStringLiteral("12");
    screen.continuous = false;
    screen.interval = QStringLiteral("1.500");
    screen.freeFormat = true;
    screen.row(1).text = QStringLiteral("0102");
    screen.row(1).reply = QStringLiteral("ACK");
    screen.row(2) = {false, true, QStringLiteral("A0B"), {}};

    const PrintReport report = GatherCommTestReport(screen);
    EXPECT_EQ(report.reportName, QStringLiteral("DataRepCommTest"));
    EXPECT_EQ(columnsOf(report),
              Words("TestValid TestWrite TestRead TestSendLen TestSendData TestRecvData"));
    EXPECT_EQ(report.labelValue(QStringLiteral("LabelRemoteNo")), QStringLiteral("5"));
    EXPECT_EQ(report.labelValue(QStringLiteral("LabelCameraNo")), QStringLiteral("12"));
    EXPECT_EQ(report.labelValue(QStringLiteral("LabelContinueVal")), kOff);
    EXPECT_EQ(report.labelValue(QStringLiteral("LabelTimeVal")), QStringLiteral("1.500Sec"));
    EXPECT_EQ(report.labelValue(QStringLiteral("LabelFormatVal")), kOn);
    ASSERT_EQ(report.rows.size(), 16);
    EXPECT_EQ(report.rows[0], (QStringList{kOn, kOn, kBlank, QStringLiteral("2"),
                                           QStringLiteral("0102"), QStringLiteral("ACK")}));
    // Odd length: the byte count is rounded down, as the screen's label shows it.
    EXPECT_EQ(report.rows[1],
              (QStringList{kBlank, kBlank, kOn, QStringLiteral("1"), QStringLiteral("A0B"), {}}));
    EXPECT_EQ(report.rows[15], (QStringList{kOn, kOn, kBlank, QStringLiteral("0"), {}, {}}));

    screen.continuous = true;
    screen.freeFormat = false;
    screen.interval = QStringLiteral("0");
    const PrintReport other = GatherCommTestReport(screen);
    EXPECT_EQ(other.labelValue(QStringLiteral("LabelContinueVal")), kOn);
    EXPECT_EQ(other.labelValue(QStringLiteral("LabelFormatVal")), kOff);
    EXPECT_EQ(other.labelValue(QStringLiteral("LabelTimeVal")), QStringLiteral("0Sec"));
}

TEST(CommLogPrint, EmptyLogPrintsOneRowOfBlanks) {
    const CommLogStore store;
    const PrintReport report = GatherCommLogReport(store);
    EXPECT_EQ(report.reportName, QStringLiteral("DataRepCommLog"));
    EXPECT_EQ(columnsOf(report), Words("LogUnit LogData"));
    ASSERT_EQ(report.rows.size(), 1);
    EXPECT_EQ(report.rows[0], (QStringList{kBlank, kBlank}));
}

TEST(CommLogPrint, EntriesOldestFirstAfterTheRingWrapped) {
    CommLogStore store;
    for (int i = 0; i < CommLogStore::kCapacity + 2; ++i)
        store.Add_MsFlexGrid(QStringLiteral("HOST1:"), QString::number(i));
    const PrintReport report = GatherCommLogReport(store);
    ASSERT_EQ(report.rows.size(), CommLogStore::kCapacity);
    EXPECT_EQ(report.rows.first(), (QStringList{QStringLiteral("HOST1: "), QStringLiteral("2 ")}));
    EXPECT_EQ(report.rows.last()[1], QStringLiteral("3001 "));
}

TEST(PrintError, DescriptionUnderTheErrorPieceWithTheStopIcon) {
    LanguageTables language;
    MessageBoxContent box = ComposePrintError(language, QStringLiteral("disk full"));
    EXPECT_EQ(box.title, QStringLiteral("Error"));
    EXPECT_EQ(box.text, QStringLiteral("disk full"));
    EXPECT_EQ(box.icon, MessageIcon::Stop);
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    language.setLanguageIndex(1);
    EXPECT_EQ(ComposePrintError(language, {}).title, QStringLiteral("エラーが発生しました"));
}
