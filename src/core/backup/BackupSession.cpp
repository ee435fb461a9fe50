#include "BackupSession.h"

#include "common/NumberRange.h"

namespace zel {

BackupSession::BackupSession(LinkEngine& engine, const LanguageTables& language,
                             MessageSink& messages)
    : m_transfer(engine, language, messages), m_language(language), m_messages(messages) {
    m_transfer.onReplacingPartial = [this](const QString& partialPath) {
        m_replacedPartial = partialPath;
        changed();
    };
    m_transfer.onFinished = [this](bool completed) {
        changed();
        if (onFinished)
            onFinished(completed);
    };
}

bool BackupSession::checkRemoteNo() {
    return kRemoteNoRange.check(m_messages, m_language, m_remoteNo);
}

bool BackupSession::checkCameraNo() {
    return kCameraNoRange.check(m_messages, m_language, m_cameraNo);
}

bool BackupSession::checkAddress() {
    return NumberRange::checkAddress(m_messages, m_language, m_remoteNo, m_cameraNo);
}

bool BackupSession::start(Action action, const QString& path) {
    if (m_transfer.isRunning())
        return false;
    m_action = action;
    m_replacedPartial.clear();
    m_transfer.setAddress(m_cameraNo, m_remoteNo);
    m_transfer.setVerify(m_verify);
    bool started = false;
    switch (action) {
    case Action::Download:
        started = m_transfer.startDownload(path);
        break;
    case Action::Upload:
        started = m_transfer.startUpload(path);
        break;
    case Action::Compare:
        started = m_transfer.startCompare(path);
        break;
    }
    changed();
    return started;
}

void BackupSession::cancel() {
    if (m_transfer.dialog().isOpen())
        m_transfer.dialog().close();
}

BackupSession::Controls BackupSession::controls() const {
    const bool idle = !m_transfer.isRunning();
    return {idle, idle, idle, idle, idle};
}

QStringList BackupSession::comparisonReport(BackupReportDetail detail) const {
    if (!hasComparison())
        return {};
    return BackupComparisonReport(m_transfer.comparison(), detail);
}

void BackupSession::changed() {
    if (onChanged)
        onChanged();
}

} // namespace zel
