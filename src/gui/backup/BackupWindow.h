#pragma once
// The settings backup screen frmBackUp: REMOTE No. and CAMERA No. boxes, DOWNLOAD (camera to
// PC) and UPLOAD (PC to camera) with optional verification, Compare, Exit. The screen's rules
// and the transfer live in BackupSession; this window asks for the file and renders the
// session: its controls, the transfer dialog, the comparison report and the notes. It deletes
// itself when closed and says so with closed().
#include "backup/BackupSession.h"
#include "link/TransferDialog.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QCheckBox;
class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zel {
class LanguageTables;
class LinkEngine;
class MessageSink;
class Settings;
} // namespace zel

namespace zel::gui {

class NumberBoxGuard;

class BackupWindow : public QWidget {
    Q_OBJECT
public:
    BackupWindow(LinkEngine& engine, LanguageTables& language, Settings& settings,
                 MessageSink& messages, QWidget* parent = nullptr);
    ~BackupWindow() override;

    QLineEdit* TextHostNo() const { return m_textHostNo; }
    QLineEdit* TextCamNo() const { return m_textCamNo; }
    QCheckBox* CheckVerify() const { return m_checkVerify; }
    QPushButton* CommandDL() const { return m_commandDL; }
    QPushButton* CommandUL() const { return m_commandUL; }
    QPushButton* CommandEnd() const { return m_commandEnd; }
    // Compares a backup file with the camera (read only) and shows the report.
    QPushButton* CommandCompare() const { return m_commandCompare; }
    // The report of the last comparison, once it has been shown.
    QDialog* compareReport() const { return m_compareReport; }
    // Notes on the last transfer started, e.g. a .partial file it replaces; empty otherwise.
    QLabel* LabelStatus() const { return m_labelStatus; }
    BackupSession& session() { return *m_session; }
    TransferDialog* transferDialog() const { return m_transferDialog; }

    // Where the file dialogs lead once a file is chosen.
    void startDownloadTo(const QString& path);
    void startUploadFrom(const QString& path);
    void startCompareWith(const QString& path);

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void applyCaptions();
    void connectControls();
    void onDownloadClicked();
    void onUploadClicked();
    void onCompareClicked();
    void onTransferFinished();
    void showCompareReport();
    QString fileFilter() const;
    bool boxesValid();
    void start(BackupSession::Action action, const QString& path);
    void render();
    void showTransferDialog();

    LanguageTables& m_language;
    std::unique_ptr<BackupSession> m_session;
    QPointer<TransferDialog> m_transferDialog; // renders the transfer's dialog model
    QLabel* m_labelHostNo = nullptr;
    QLabel* m_labelCamNo = nullptr;
    QLabel* m_labelDownload = nullptr;
    QLabel* m_labelUpload = nullptr;
    QLabel* m_labelStatus = nullptr;
    QLineEdit* m_textHostNo = nullptr;
    QLineEdit* m_textCamNo = nullptr;
    QCheckBox* m_checkVerify = nullptr;
    QPushButton* m_commandDL = nullptr;
    QPushButton* m_commandUL = nullptr;
    QPushButton* m_commandEnd = nullptr;
    QPushButton* m_commandCompare = nullptr;
    QPointer<QDialog> m_compareReport;
    NumberBoxGuard* m_numberBoxes = nullptr;
};

} // namespace zel::gui
