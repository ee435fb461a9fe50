#include "TitleAutoBackup.h"

#include "TitleFileWriter.h"
#include "common/Timer.h"
#include "shell/Settings.h"

namespace zel {

TitleAutoBackup::TitleAutoBackup(Timer& timerAutoSave, const Settings& settings, int slot,
                                 const TitleDocument& document, const TitleFileLabels& labels,
                                 MessageSink& messages)
    : m_timer(timerAutoSave), m_settings(settings), m_slot(slot), m_document(document),
      m_labels(labels), m_messages(messages) {
    m_timer.setCallback([this] { onMinute(); });
}

TitleAutoBackup::~TitleAutoBackup() {
    m_timer.stop();
    m_timer.setCallback({});
}

QString TitleAutoBackup::backupPath() const {
    return m_settings.ApplicationFolder + QStringLiteral("temp") + QString::number(m_slot) +
           QStringLiteral(".ttl");
}

void TitleAutoBackup::SetTime_OnOffProc() {
    m_timer.stop();
    m_autoSaveCount = 0;
    if (m_settings.autoSaveMinutes() > 0)
        m_timer.start(kTickMs);
}

void TitleAutoBackup::onMinute() {
    const int period = m_settings.autoSaveMinutes();
    if (period <= 0) {
        m_timer.stop();
        return;
    }
    if (++m_autoSaveCount < period)
        return;
    m_autoSaveCount = 0;
    WriteTitleFile(backupPath(), m_document, m_labels, m_messages);
}

} // namespace zel
