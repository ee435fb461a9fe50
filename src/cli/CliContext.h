#pragma once
// Global options and shared services of a zelctl run: settings, language, messages on
// stderr, the progress bar.
#include "CliMessageSink.h"
#include "common/TransferProgress.h"
#include "shell/LanguageTables.h"
#include "shell/Settings.h"

#include <QElapsedTimer>
#include <QString>
#include <QStringList>

namespace zel::cli {

class CommandLine;

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
    CliContext(const CliContext&) = delete; // the message sink calls back into this object
    CliContext& operator=(const CliContext&) = delete;

    // Takes the global options of `line`; false (usage error printed) on a bad value.
    bool applyGlobalOptions(const CommandLine& line);
    const GlobalOptions& options() const { return m_options; }

    // Reads zel.ini of the program folder; without it the documented defaults stay (unless
    // `requireFile`, which reports message 15). Then applies --port, --rate and --lang.
    bool loadSettings(bool requireFile);

    Settings& settings() { return m_settings; }
    LanguageTables& language() { return m_language; }
    const LanguageTables& language() const { return m_language; }
    CliMessageSink& messages() { return m_sink; }

    // Progress goes to stderr unless --quiet is given.
    bool progressEnabled() const;
    // On a terminal: "phase [#####     ]  42%  53/125 blocks, 0:12 elapsed, 0:16 left"
    // redrawn on one line. Elsewhere (a log of a scripted run): the same facts as a plain
    // line every few seconds. The times come from this run's clock unless `timed` (the
    // caller measured them). Nothing is shown before a phase has its total. finishProgress
    // ends the phase with its last state.
    void showProgress(const TransferProgress& progress, bool timed = false);
    void finishProgress();
    // `line` on stdout; a progress bar drawn on the terminal is cleared first and drawn again
    // under it.
    void printAboveProgress(const QString& line);

    // "file written: PATH" on stderr, after a transfer's completion line on stdout (which
    // stays the screen's text alone: scripts compare it).
    void reportFileWritten(const QString& path);

    static void printUsageError(const QString& text);
    // For a command without arguments: false (usage error printed) when some were given.
    static bool takesNoArguments(const QString& command, const CommandLine& line);

private:
    GlobalOptions m_options;
    Settings m_settings;
    LanguageTables m_language;
    CliMessageSink m_sink;
    void writeProgressLine(const QString& text);
    ProgressEstimate m_estimate;
    QElapsedTimer m_clock;
    TransferProgress m_progress;
    QString m_drawnKey;          // what the terminal line last drawn shows
    qint64 m_plainLineMs = -1;   // when the last plain line was written
    bool m_drawn = false;        // a terminal line is open
    bool m_plainPending = false; // the last state has no plain line yet
    bool m_terminal = false;
};

} // namespace zel::cli
