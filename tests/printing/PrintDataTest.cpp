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

// One text of every column: its field (`&ReportColumn::field`) or its header.
static QStringList columnsOf(const PrintReport& report,
                             QString ReportColumn::*text = &ReportColumn::field) {
    QStringList texts;
    for (const ReportColumn& column : report.columns)
        texts.append(column.*text);
    return texts;
}

// The values of the labels named in `names`.
static QStringList labelValues(const PrintReport& report, const char* names) {
    QStringList values;
    for (const QString& name : Words(names))
        values.append(report.labelValue(name));
    return values;
}

const QString kOn = u"○"_qs;
const QString kOff = u"×"_qs;
const QString kBlank = u" "_qs;

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

TEST_F(TitlePrintTest, TextBoxModesGiveOneTitleNameRow) {
    document.setTitle(CategoryCamera, 1, u"GATE"_qs);
    document.setTitle(CategoryAutoPan, 1, u"PAN 1"_qs);
    document.RemoteNo = u"12"_qs;
    document.CameraNo = u"200"_qs;

    const PrintReport camera = gather(CategoryCamera);
    EXPECT_EQ(camera.reportName, u"DataRepTitleText"_qs);
    EXPECT_EQ(columnsOf(camera), QStringList{u"TitleName"_qs});
    EXPECT_EQ(camera.rows, QList<QStringList>{{u"GATE "_qs}});
    EXPECT_EQ(camera.title, u"Title setting"_qs);
    EXPECT_EQ(columnsOf(camera, &ReportColumn::header), QStringList{u"Title"_qs});
    EXPECT_EQ(labelValues(camera, "LabelRemoteNo LabelCameraNo"), Words("12 200"));

    const PrintReport autoPan = gather(CategoryAutoPan);
    EXPECT_EQ(autoPan.rows, QList<QStringList>{{u"PAN 1 "_qs}});
    EXPECT_EQ(autoPan.subtitle, u"AUTO PAN ID"_qs);
}

TEST_F(TitlePrintTest, GridModesGiveNumberAndNameRowsInThePresentOrder) {
    document.setTitle(CategoryPosition, 2, u"DOOR"_qs);
    document.setTitle(CategoryPosition, 255, u"LAST"_qs);
    PrintReport position = gather(CategoryPosition);
    EXPECT_EQ(position.reportName, u"DataRepTitleGrid"_qs);
    EXPECT_EQ(columnsOf(position), Words("TitleNo TitleName"));
    EXPECT_EQ(columnsOf(position, &ReportColumn::header),
              (QStringList{u"POSITION No."_qs, u"ID"_qs}));
    ASSERT_EQ(position.rows.size(), 255);
    EXPECT_EQ(position.rows[0] + position.rows[1] + position.rows[254],
              (QStringList{u"1 "_qs, kBlank, u"2 "_qs, u"DOOR "_qs, u"255 "_qs, u"LAST "_qs}));

    // After Sort the failed titles come first: the print follows the grid, not the numbers.
    document.row(CategoryPosition, 254).checkMark.clear();
    document.sortByCheckMark(CategoryPosition);
    position = gather(CategoryPosition);
    EXPECT_EQ(position.rows[0] + position.rows[1],
              (QStringList{u"255 "_qs, u"LAST "_qs, u"1 "_qs, kBlank}));

    EXPECT_EQ(gather(CategoryTour).rows.size(), 16);
    EXPECT_EQ(gather(CategoryAux).rows.last()[0], u"8 "_qs);
}

TEST_F(TitlePrintTest, CaptionsFollowTheLanguageAndBadModesPrintNothing) {
    language.setLanguageIndex(1);
    const PrintReport report = gather(CategoryTrace);
    EXPECT_EQ(report.title, u"タイトル設定"_qs);
    ASSERT_EQ(report.labelLines.size(), 1);
    EXPECT_EQ((QStringList{report.labelLines[0][0].caption, report.labelLines[0][1].caption}),
              (QStringList{u"REMOTE No.："_qs, u"CAMERA No.："_qs}));
    EXPECT_EQ(gather(CategoryCamera).columns[0].header, u"タイトル"_qs);
    EXPECT_FALSE(GatherTitleReport(document, -1, language).has_value());
    EXPECT_FALSE(GatherTitleReport(document, kTitleCategoryCount, language).has_value());
}

TEST(CommTestPrint, MarksLabelsAndRows) {
    TestScreen screen;
    screen.hostNo = u"5"_qs;
    screen.camNo = u"12"_qs;
    screen.continuous = false;
    screen.interval = u"1.500"_qs;
    screen.freeFormat = true;
    screen.row(1).text = u"0102"_qs;
    screen.row(1).reply = u"ACK"_qs;
    screen.row(2) = {false, true, u"A0B"_qs, {}};

    const PrintReport report = GatherCommTestReport(screen);
    EXPECT_EQ(report.reportName, u"DataRepCommTest"_qs);
    EXPECT_EQ(columnsOf(report),
              Words("TestValid TestWrite TestRead TestSendLen TestSendData TestRecvData"));
    const char* const labels = "LabelRemoteNo LabelCameraNo LabelContinueVal LabelTimeVal "
                               "LabelFormatVal";
    EXPECT_EQ(labelValues(report, labels),
              (QStringList{u"5"_qs, u"12"_qs, kOff, u"1.500Sec"_qs, kOn}));
    ASSERT_EQ(report.rows.size(), 16);
    EXPECT_EQ(report.rows[0], (QStringList{kOn, kOn, kBlank, u"2"_qs, u"0102"_qs, u"ACK"_qs}));
    // Odd length: the byte count is rounded down, as the screen's label shows it.
    EXPECT_EQ(report.rows[1], (QStringList{kBlank, kBlank, kOn, u"1"_qs, u"A0B"_qs, {}}));
    EXPECT_EQ(report.rows[15], (QStringList{kOn, kOn, kBlank, u"0"_qs, {}, {}}));

    screen.continuous = true;
    screen.freeFormat = false;
    screen.interval = u"0"_qs;
    const PrintReport other = GatherCommTestReport(screen);
    EXPECT_EQ(labelValues(other, labels), (QStringList{u"5"_qs, u"12"_qs, kOn, u"0Sec"_qs, kOff}));
}

TEST(CommLogPrint, EmptyLogPrintsOneRowOfBlanks) {
    const CommLogStore store;
    const PrintReport report = GatherCommLogReport(store);
    EXPECT_EQ(report.reportName, u"DataRepCommLog"_qs);
    EXPECT_EQ(columnsOf(report), Words("LogUnit LogData"));
    EXPECT_EQ(report.rows, (QList<QStringList>{{kBlank, kBlank}}));
}

TEST(CommLogPrint, EntriesOldestFirstAfterTheRingWrapped) {
    CommLogStore store;
    for (int i = 0; i < CommLogStore::kCapacity + 2; ++i)
        store.Add_MsFlexGrid(u"HOST1:"_qs, QString::number(i));
    const PrintReport report = GatherCommLogReport(store);
    ASSERT_EQ(report.rows.size(), CommLogStore::kCapacity);
    EXPECT_EQ(report.rows.first(), (QStringList{u"HOST1: "_qs, u"2 "_qs}));
    EXPECT_EQ(report.rows.last()[1], u"3001 "_qs);
}

TEST(PrintError, DescriptionUnderTheErrorPieceWithTheStopIcon) {
    LanguageTables language;
    MessageBoxContent box = ComposePrintError(language, u"disk full"_qs);
    EXPECT_EQ((QStringList{box.title, box.text}), (QStringList{u"Error"_qs, u"disk full"_qs}));
    EXPECT_EQ(std::pair(box.icon, box.buttons), std::pair(MessageIcon::Stop, MessageButtons::Ok));
    language.setLanguageIndex(1);
    EXPECT_EQ(ComposePrintError(language, {}).title, u"エラーが発生しました"_qs);
}
