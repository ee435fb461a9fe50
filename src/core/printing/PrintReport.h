#pragma once
// What one print puts on paper: the report's title, its header labels, its columns and the
// gathered rows. Built by the gatherers of PrintData and laid out by the report renderer.
#include <QString>
#include <QStringList>
#include <QVector>

namespace zel {

// The print kinds of the three screens that print.
enum class PrintKind { Titles = 1, CommTest = 5, CommLog = 6 };

// One label of the page header: `caption` followed by `value` ("REMOTE No.：" "12").
struct ReportLabel {
    QString name; // the report's label control, e.g. "LabelRemoteNo"
    QString caption;
    QString value;
};

struct ReportColumn {
    QString field;           // the data field it shows, e.g. "TitleName"
    QString header;          // the caption repeated above the column on every page
    int weight = 1;          // share of the table width
    bool fixedPitch = false; // hex data and numbers line up in a fixed-pitch font
    bool centered = false;
};

struct PrintReport {
    PrintKind kind = PrintKind::Titles;
    QString reportName;                       // "DataRepTitleGrid", "DataRepCommTest", ...
    QString title;                            // large caption on top of every page
    QString subtitle;                         // e.g. the title category; may be empty
    QVector<QVector<ReportLabel>> labelLines; // header labels, one inner vector per line
    QString rowNumberHeader;                  // non-empty: a leading column numbers the rows 1..n
    QVector<ReportColumn> columns;
    QVector<QStringList> rows; // one text per column, in print order

    // The value of the label called `name`, or a null string when there is none.
    QString labelValue(const QString& name) const;
    // The column index of `field`, or -1.
    int columnOf(const QString& field) const;
};

} // namespace zel
