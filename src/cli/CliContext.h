#pragma once
// Global options and shared services of a zelctl run: settings, language, messages on
// stderr, the progress bar.
#include "CliMessageSink.h"
#include "shell/LanguageTables.h"
#include "shell/Settings.h"

#include <QString>
#include <QStringList>

namespace zel::cli {

struct GlobalOptions {
    QString folder;     // --folder DIR
    QString port;       // --port DEVICE
    QString rate;       // --rate BPS
    QString lang;       // --lang en|ja
    bool yes = false;   // --yes
    bool quiet = false; // --quiet
};

class CliContext {
public:
    CliContext();

    // Removes the global options from `args`; false (usage error printed) on a bad option.
    bool parseGlobalOptions(QStringList& args);
    const GlobalOptions& options() const { return m_options; }

    // Reads zel.ini of the program folder; without it the documented defaults stay (unless
    // `requireFile`, which reports message 15). Then applies --port, --rate and --lang.
    bool loadSettings(bool requireFile);

    Settings& settings() { return m_settings; }
    LanguageTables& language() { return m_language; }
    CliMessageSink& messages() { return m_sink; }

    // Progress goes to stderr only when it is a terminal and --quiet is not given.
    bool progressEnabled() const;
    // Draws "label [#####     ] 42% suffix" on one stderr line; finishProgress ends the line.
    void showProgress(const QString& label, int value, int maximum, const QString& suffix = {});
    void finishProgress();

    static void printUsageError(const QString& text);

private:
    GlobalOptions m_options;
    Settings m_settings;
    LanguageTables m_language;
    CliMessageSink m_sink;
    bool m_progressShown = false;
};

} // namespace zel::cli
