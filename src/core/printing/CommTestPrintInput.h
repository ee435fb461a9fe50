#pragma once
// What the communication test screen shows, as far as a print needs it: the header fields and
// its 16 rows. The screen fills it; the printing side never reads widgets.
#include <QString>
#include <QVector>

namespace zel {

enum class TestRequestType { Write, Read };

struct CommTestPrintRow {
    bool valid = true; // CheckValid ticked
    TestRequestType request = TestRequestType::Write;
    QString sendLen;     // caption of the byte-count label
    QString sendData;    // row text, hex
    QString receiveData; // reply text of the last send
};

struct CommTestPrintInput {
    QString remoteNo = QStringLiteral("1");
    QString cameraNo = QStringLiteral("1");
    bool continuous = false; // CheckCommTest ticked
    QString interval = QStringLiteral("0");
    bool freeFormat = false;        // CheckFreeFormat ticked
    QVector<CommTestPrintRow> rows; // rows 1..16 in screen order
};

} // namespace zel
