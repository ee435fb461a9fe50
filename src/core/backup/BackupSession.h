#pragma once
// The settings backup screen's core, built alike by the backup window and `zelctl backup`:
// the transfer on the shared link, the camera address and verification choice it runs with,
// the checks before a file is asked for, and what is left to show once it ends (the report
// of a completed comparison, the note on a replaced "<name>.partial").
#include "backup/BackupComparison.h"
#include "backup/BackupTransfer.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace zel {

class LanguageTables;
class LinkEngine;
class MessageSink;

class BackupSession {
public:
    enum class Action { Download, Upload, Compare };

    // What the screen may start now; all off while a transfer runs (its dialog is modal).
    struct Controls {
        bool download = true;
        bool upload = true;
        bool compare = true;
        bool verify = true;
        bool exit = true;
    };

    BackupSession(LinkEngine& engine, const LanguageTables& language, MessageSink& messages);
    BackupSession(const BackupSession&) = delete;
    BackupSession& operator=(const BackupSession&) = delete;

    // The REMOTE No. and CAMERA No. boxes and the verification box.
    void setRemoteNo(const QString& text) { m_remoteNo = text; }
    void setCameraNo(const QString& text) { m_cameraNo = text; }
    void setVerify(bool verify) { m_verify = verify; }
    const QString& remoteNo() const { return m_remoteNo; }
    const QString& cameraNo() const { return m_cameraNo; }
    bool verify() const { return m_verify; }

    // Each box's rule; the range message and false when it is broken.
    bool checkRemoteNo();
    bool checkCameraNo();
    // Before a file is asked for: the remote number first, then the camera number.
    bool checkAddress();

    // Starts `action` with the chosen file. True when the first request went out; false when
    // it ended at once (with its message).
    bool start(Action action, const QString& path);
    // A running transfer stops as its dialog's Cancel stops it: the file closed, the blocks
    // stored so far kept.
    void cancel();

    Controls controls() const;
    bool mayClose() const { return !m_transfer.isRunning(); }
    bool isRunning() const { return m_transfer.isRunning(); }
    Action action() const { return m_action; }
    // The last transfer was a comparison and it completed: its report is there to show.
    bool hasComparison() const { return m_action == Action::Compare && m_transfer.completed(); }
    QStringList comparisonReport(BackupReportDetail detail) const;
    // The "<name>.partial" the last download started over, empty when there was none.
    const QString& replacedPartial() const { return m_replacedPartial; }

    BackupTransfer& transfer() { return m_transfer; }
    const BackupTransfer& transfer() const { return m_transfer; }
    TransferDialogModel& dialog() { return m_transfer.dialog(); }

    // Once per transfer started: true when it completed (verification included).
    std::function<void(bool completed)> onFinished;
    // The controls or the note changed.
    std::function<void()> onChanged;

private:
    void changed();

    BackupTransfer m_transfer;
    const LanguageTables& m_language;
    MessageSink& m_messages;
    QString m_remoteNo = QStringLiteral("1");
    QString m_cameraNo = QStringLiteral("1");
    bool m_verify = true;
    Action m_action = Action::Download;
    QString m_replacedPartial;
};

} // namespace zel
