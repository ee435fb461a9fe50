#include "PrintData.h"

#include "commtest/TestScreen.h"
#include "link/CommLogStore.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titletable/TitleCategory.h"

namespace zel {

namespace {

using namespace Qt::Literals::StringLiterals;

// Every printed field value is followed by one blank, as the report fields always were.
QString field(const QString& text) {
    return text + QLatin1Char(' ');
}

QString mark(bool on) {
    return on ? QString::fromUtf16(kPrintMarkOn) : QString::fromUtf16(kPrintMarkOff);
}

// "○" or a blank, for the tick columns of the test rows.
QString tick(bool on) {
    return on ? QString::fromUtf16(kPrintMarkOn) : QStringLiteral(" ");
}

enum TitleReportText {
    ReportTitleText,
    ReportTitleGrid,
    ReportCameraNo,
    ReportRemoteNo,
    ReportTitleColumn
};

PrintReport newReport(PrintKind kind, const QString& name, const QString& title) {
    PrintReport report;
    report.kind = kind;
    report.reportName = name;
    report.title = title;
    return report;
}

QVector<ReportLabel> addressLabels(const QString& remoteCaption, const QString& remoteNo,
                                   const QString& cameraCaption, const QString& cameraNo) {
    return {{u"LabelRemoteNo"_s, remoteCaption, remoteNo},
            {u"LabelCameraNo"_s, cameraCaption, cameraNo}};
}

void addTextBoxTitle(PrintReport& report, const TitleDocument& document, int mode,
                     const LanguageTables& language) {
    report.reportName = u"DataRepTitleText"_s;
    report.title = language.text(LangGroup::TitleReports, ReportTitleText);
    report.columns = {{u"TitleName"_s, language.text(LangGroup::TitleReports, ReportTitleColumn), 1,
                       false, false}};
    const QString title = document.rowCount(mode) > 0 ? document.row(mode, 0).title : QString();
    report.rows = {{field(title)}};
}

void addGridTitles(PrintReport& report, const TitleDocument& document, int mode,
                   const LanguageTables& language) {
    report.reportName = u"DataRepTitleGrid"_s;
    report.title = language.text(LangGroup::TitleReports, ReportTitleGrid);
    report.columns = {{u"TitleNo"_s, QString(TitleCategoryAt(mode).numberHeader), 1, true, true},
                      {u"TitleName"_s, language.text(LangGroup::ReportHeader, 0), 3, false, false}};
    report.rows.reserve(document.rowCount(mode));
    for (int position = 0; position < document.rowCount(mode); ++position) {
        const TitleRow& row = document.row(mode, position);
        report.rows.append({field(row.number), field(row.title)});
    }
}

} // namespace

std::optional<PrintReport> GatherTitleReport(const TitleDocument& document, int titleMode,
                                             const LanguageTables& language) {
    if (!IsTitleCategory(titleMode))
        return std::nullopt;
    PrintReport report = newReport(PrintKind::Titles, {}, {});
    report.subtitle = language.text(LangGroup::TitleSet, TitleSetTab0 + titleMode);
    report.labelLines = {
        addressLabels(language.text(LangGroup::TitleReports, ReportRemoteNo), document.RemoteNo,
                      language.text(LangGroup::TitleReports, ReportCameraNo), document.CameraNo)};
    if (TitleCategoryAt(titleMode).isTextBox)
        addTextBoxTitle(report, document, titleMode, language);
    else
        addGridTitles(report, document, titleMode, language);
    return report;
}

PrintReport GatherCommTestReport(const TestScreen& screen) {
    PrintReport report = newReport(PrintKind::CommTest, u"DataRepCommTest"_s, u"通信テスト"_s);
    report.labelLines = {
        addressLabels(u"REMOTE No.："_s, screen.hostNo, u"CAMERA No.："_s, screen.camNo),
        {{u"LabelContinueVal"_s, u"連続送信："_s, mark(screen.continuous)},
         {u"LabelTimeVal"_s, u"時間間隔："_s, screen.interval + u"Sec"_s},
         {u"LabelFormatVal"_s, u"フリーフォーマット："_s, mark(screen.freeFormat)}}};
    report.rowNumberHeader = u"No."_s;
    report.columns = {{u"TestValid"_s, u"有効"_s, 2, false, true},
                      {u"TestWrite"_s, u"書込"_s, 2, false, true},
                      {u"TestRead"_s, u"呼出"_s, 2, false, true},
                      {u"TestSendLen"_s, u"長さ"_s, 2, true, true},
                      {u"TestSendData"_s, u"送信データ"_s, 14, true, false},
                      {u"TestRecvData"_s, u"受信データ"_s, 14, true, false}};
    report.rows.reserve(TestScreen::kRowCount);
    for (int rowNo = 1; rowNo <= TestScreen::kRowCount; ++rowNo) {
        const TestRow& row = screen.row(rowNo);
        report.rows.append({tick(row.valid), tick(!row.read), tick(row.read),
                            QString::number(row.byteCount()), row.text, row.reply});
    }
    return report;
}

PrintReport GatherCommLogReport(const CommLogStore& store) {
    PrintReport report = newReport(PrintKind::CommLog, u"DataRepCommLog"_s, u"通信ログ"_s);
    report.columns = {{u"LogUnit"_s, u"送信元"_s, 1, true, false},
                      {u"LogData"_s, u"データ"_s, 5, true, false}};
    report.rows.reserve(std::max(store.count(), 1));
    for (int i = 0; i < store.count(); ++i)
        report.rows.append({field(store.entry(i).unit), field(store.entry(i).data)});
    if (report.rows.isEmpty())
        report.rows.append({field({}), field({})});
    return report;
}

MessageBoxContent ComposePrintError(const LanguageTables& language, const QString& description) {
    return {language.piece(MessagePiece::Error), description, MessageButtons::Ok,
            MessageIcon::Stop};
}

} // namespace zel
