#include "CommTestWindow.h"

#include "TestRowsPanel.h"
#include "common/FileDialogRoom.h"
#include "common/SuggestedFileName.h"

#include <QDate>
#include <QFileDialog>

// The communication test's files: send data (.trf) and send and receive data (.rsl).
namespace zel::gui {

namespace {
const QString kSendDataFilter = QStringLiteral("送信データファイル(*.trf);;すべてのファイル(*.*)");
const QString kResultFilter =
    QStringLiteral("送信データ+受信データファイル(*.rsl);;すべてのファイル(*.*)");
} // namespace

void CommTestWindow::askOpenPath() {
    auto* dialog =
        new QFileDialog(this, QStringLiteral("送信データ ファイルを開く"), {}, kSendDataFilter);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    giveFileDialogRoom(*dialog);
    connect(dialog, &QFileDialog::fileSelected, this, &CommTestWindow::loadFrom);
    dialog->open();
}

void CommTestWindow::askSavePath(bool results) {
    auto* dialog =
        new QFileDialog(this,
                        results ? QStringLiteral("送信データ+受信データ 名前を付けて保存")
                                : QStringLiteral("送信データ 名前を付けて保存"),
                        {}, results ? kResultFilter : kSendDataFilter);
    dialog->setAcceptMode(QFileDialog::AcceptSave); // asks before overwriting
    const QString suffix = results ? QStringLiteral("rsl") : QStringLiteral("trf");
    dialog->setDefaultSuffix(suffix);
    giveFileDialogRoom(*dialog, datedFileName(QDate::currentDate(), suffix));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QFileDialog::fileSelected, this,
            results ? &CommTestWindow::saveResultsTo : &CommTestWindow::saveSendDataTo);
    dialog->open();
}

void CommTestWindow::loadFrom(const QString& path) {
    m_session.load(path);
}

void CommTestWindow::saveSendDataTo(const QString& path) {
    m_session.saveSendData(path);
}

void CommTestWindow::saveResultsTo(const QString& path) {
    m_session.saveResults(path);
}

} // namespace zel::gui
