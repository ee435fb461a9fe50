#pragma once
// Automatic backup of one title window: every minute (TimerAutoSave) counts towards the
// AutoSave period (3, 5 or 10 minutes; off when the setting is "0") and, when it is reached,
// writes the document to temp<slot>.ttl in the program folder. The backup changes neither the
// caption, the file association nor the modified mark.
#include "TitleFileWriter.h"

#include <QString>

namespace zel {

class MessageSink;
class Settings;
class TitleDocument;
class Timer;

class TitleAutoBackup {
public:
    static constexpr int kTickMs = 60000;

    TitleAutoBackup(Timer& timerAutoSave, const Settings& settings, int slot,
                    const TitleDocument& document, const TitleFileLabels& labels,
                    MessageSink& messages);
    ~TitleAutoBackup();
    TitleAutoBackup(const TitleAutoBackup&) = delete;
    TitleAutoBackup& operator=(const TitleAutoBackup&) = delete;

    // Arms the backup from the AutoSave setting (window load, settings dialog).
    void SetTime_OnOffProc();
    int AutoSaveCount() const { return m_autoSaveCount; }
    QString backupPath() const;

private:
    void onMinute();

    Timer& m_timer;
    const Settings& m_settings;
    int m_slot;
    const TitleDocument& m_document;
    TitleFileLabels m_labels;
    MessageSink& m_messages;
    int m_autoSaveCount = 0;
};

} // namespace zel
