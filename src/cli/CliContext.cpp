#include "CliContext.h"

#include "CliTexts.h"
#include "CommandLine.h"
#include "common/MessageNumber.h"
#include "shell/ProgramFolder.h"
#include "shell/ProgressTimesText.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cstdio>
#include <unistd.h>

namespace zel::cli {

namespace {

int rateIndexFor(const QString& bps) {
    static const QStringList rates{QStringLiteral("4800"), QStringLiteral("9600"),
                                   QStringLiteral("19200"), QStringLiteral("38400")};
    return static_cast<int>(rates.indexOf(bps));
}

} // namespace

CliContext::CliContext() : m_sink(m_language), m_terminal(isatty(STDERR_FILENO) != 0) {
    m_sink.setBeforeMessage([this] { finishProgress(); });
}

void CliContext::printUsageError(const QString& text) {
    std::fputs((QStringLiteral("zelctl: ") + text + QLatin1Char('\n')).toLocal8Bit().constData(),
               stderr);
}

void CliContext::reportFileWritten(const QString& path) {
    std::fflush(stdout); // after the completion line on a terminal
    writeProgressLine(cliText(m_language, CliText::FileWritten).arg(path) + QLatin1Char('\n'));
}

bool CliContext::takesNoArguments(const QString& command, const CommandLine& line) {
    if (line.positional().isEmpty())
        return true;
    printUsageError(cliText(line.languageIndex(), CliText::TakesNoArguments)
                        .arg(command, line.positional().first()));
    return false;
}

bool CliContext::applyGlobalOptions(const CommandLine& line) {
    m_options.folder = line.value(QStringLiteral("folder"));
    m_options.port = line.value(QStringLiteral("port"));
    m_options.rate = line.value(QStringLiteral("rate"));
    m_options.lang = line.value(QStringLiteral("lang"));
    m_options.yes = line.isSet(QStringLiteral("yes"));
    m_options.quiet = line.isSet(QStringLiteral("quiet"));
    if (!m_options.rate.isEmpty() && rateIndexFor(m_options.rate) < 0) {
        printUsageError(cliText(line.languageIndex(), CliText::RateValues));
        return false;
    }
    if (!m_options.lang.isEmpty() && m_options.lang != QStringLiteral("en") &&
        m_options.lang != QStringLiteral("ja")) {
        printUsageError(cliText(line.languageIndex(), CliText::LangValues));
        return false;
    }
    m_sink.setAnswerYes(m_options.yes);
    return true;
}

bool CliContext::loadSettings(bool requireFile) {
    const QString requested =
        m_options.folder.isEmpty() ? QCoreApplication::applicationDirPath() : m_options.folder;
    // An installed program's folder is not writable: its settings live in the user's folder.
    const QString folder =
        ProgramFolder::choose(requested, ProgramFolder::userFolder(),
                              ProgramFolder::defaultFolders(QCoreApplication::applicationDirPath()))
            .folder;
    if (!m_settings.ReadSettings(folder)) {
        m_settings.setFolder(folder);
        if (requireFile) {
            m_language.setLanguageIndex(0);
            m_sink.ShowMessage(MessageNoSettingFile);
            printUsageError(QStringLiteral("settings file: ") + m_settings.SettingsFilePath);
            return false;
        }
    }
    m_language.setLanguageIndex(m_settings.languageIndex());
    if (!m_options.port.isEmpty())
        m_settings.PortOverride = m_options.port;
    if (!m_options.rate.isEmpty()) {
        m_settings.Rate = QString::number(rateIndexFor(m_options.rate));
        m_settings.recomputeCurrentWriteWait();
    }
    if (!m_options.lang.isEmpty()) {
        m_settings.LanguageMode =
            m_options.lang == QStringLiteral("ja") ? QStringLiteral("1") : QStringLiteral("0");
        m_language.setLanguageIndex(m_settings.languageIndex());
    }
    return true;
}

bool CliContext::progressEnabled() const {
    return !m_options.quiet;
}

namespace {

constexpr qint64 kPlainLineEveryMs = 3000;
constexpr int kBarWidth = 30;

CliText unitText(ProgressUnit unit) {
    switch (unit) {
    case ProgressUnit::Blocks:
        break;
    case ProgressUnit::Titles:
        return CliText::Titles;
    case ProgressUnit::Cameras:
        return CliText::Cameras;
    case ProgressUnit::Rows:
        return CliText::Rows;
    case ProgressUnit::Steps:
        return CliText::Steps;
    }
    return CliText::Blocks;
}

// "53/125 blocks, 0:12 elapsed, 0:16 left"
QString progressFacts(const LanguageTables& language, const TransferProgress& p) {
    return cliText(language, CliText::ProgressFacts)
        .arg(p.done)
        .arg(p.total)
        .arg(cliText(language, unitText(p.unit)), ProgressTimesText(language.languageIndex(), p));
}

QString terminalLine(const LanguageTables& language, const TransferProgress& p) {
    const int filled = p.percent() * kBarWidth / 100;
    const QString bar =
        QString(filled, QLatin1Char('#')) + QString(kBarWidth - filled, QLatin1Char(' '));
    return QStringLiteral("%1 [%2] %3%  %4")
        .arg(p.phase, bar)
        .arg(p.percent(), 3)
        .arg(progressFacts(language, p));
}

QString plainLine(const LanguageTables& language, const TransferProgress& p) {
    return p.phase + QStringLiteral(": ") + progressFacts(language, p) + QLatin1Char('\n');
}

} // namespace

void CliContext::writeProgressLine(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

void CliContext::showProgress(const TransferProgress& progress, bool timed) {
    if (!progressEnabled() || !progress.started())
        return;
    if (progress.phase != m_progress.phase)
        finishProgress();
    if (!m_clock.isValid())
        m_clock.start();
    m_progress = timed ? progress : m_estimate.stamp(progress, m_clock.elapsed());
    m_progress.done = std::clamp(m_progress.done, 0, m_progress.total);
    if (m_terminal) {
        // Drawn again when the bar, a time shown or the end changes: not for every block.
        const QString key =
            QStringLiteral("%1 %2 %3 %4")
                .arg(m_progress.percent())
                .arg(FormatDuration(m_progress.elapsedMs), FormatDuration(m_progress.remainingMs))
                .arg(m_progress.done == m_progress.total);
        if (key != m_drawnKey)
            writeProgressLine(QLatin1Char('\r') + terminalLine(m_language, m_progress) +
                              QStringLiteral("\x1b[K"));
        m_drawnKey = key;
        m_drawn = true;
        return;
    }
    m_plainPending = true;
    if (m_progress.done == 0)
        return; // nothing done yet
    const qint64 now = m_clock.elapsed();
    if (m_plainLineMs < 0 || now - m_plainLineMs >= kPlainLineEveryMs) {
        writeProgressLine(plainLine(m_language, m_progress));
        m_plainLineMs = now;
        m_plainPending = false;
    }
}

void CliContext::printAboveProgress(const QString& line) {
    const bool redraw = m_drawn;
    if (redraw)
        writeProgressLine(QStringLiteral("\r\x1b[K"));
    std::fputs((line + QLatin1Char('\n')).toUtf8().constData(), stdout);
    std::fflush(stdout);
    if (redraw)
        writeProgressLine(QLatin1Char('\r') + terminalLine(m_language, m_progress) +
                          QStringLiteral("\x1b[K"));
}

void CliContext::finishProgress() {
    if (m_drawn)
        writeProgressLine(QStringLiteral("\n"));
    else if (m_plainPending && m_progress.done > 0)
        writeProgressLine(plainLine(m_language, m_progress));
    m_progress = TransferProgress{};
    m_drawnKey.clear();
    m_plainLineMs = -1;
    m_drawn = false;
    m_plainPending = false;
}

} // namespace zel::cli
