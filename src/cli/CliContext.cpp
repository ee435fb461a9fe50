#include "CliContext.h"

#include "CommandLine.h"
#include "common/MessageNumber.h"
#include "shell/ProgramFolder.h"

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

bool CliContext::takesNoArguments(const QString& command, const CommandLine& line) {
    if (line.positional().isEmpty())
        return true;
    printUsageError(
        QStringLiteral("%1 takes no arguments (got '%2')").arg(command, line.positional().first()));
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
        printUsageError(QStringLiteral("--rate must be 4800, 9600, 19200 or 38400"));
        return false;
    }
    if (!m_options.lang.isEmpty() && m_options.lang != QStringLiteral("en") &&
        m_options.lang != QStringLiteral("ja")) {
        printUsageError(QStringLiteral("--lang must be en or ja"));
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

QString minutesAndSeconds(qint64 ms) {
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

// "53/125 blocks, 0:12 elapsed, 0:16 left"
QString CliContext::progressFacts() const {
    const Progress& p = m_progress;
    if (!p.suffix.isEmpty())
        return p.suffix;
    const qint64 elapsed = p.sinceStart.isValid() ? p.sinceStart.elapsed() : 0;
    QString text = QStringLiteral("%1/%2 blocks, %3 elapsed")
                       .arg(p.value)
                       .arg(p.maximum)
                       .arg(minutesAndSeconds(elapsed));
    if (p.value > 0 && p.value < p.maximum)
        text += QStringLiteral(", %1 left")
                    .arg(minutesAndSeconds(elapsed * (p.maximum - p.value) / p.value));
    return text;
}

void CliContext::writeProgressLine(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

void CliContext::showProgress(const QString& label, int value, int maximum, const QString& suffix) {
    if (!progressEnabled() || maximum <= 0)
        return;
    Progress& p = m_progress;
    if (label != p.label || !p.sinceStart.isValid()) {
        finishProgress();
        p.label = label;
        p.sinceStart.start();
        p.lastPlainLineMs = -1;
    }
    p.value = std::clamp(value, 0, maximum);
    p.maximum = maximum;
    p.suffix = suffix;
    if (m_terminal) {
        const int filled = static_cast<int>(static_cast<long long>(p.value) * kBarWidth / maximum);
        const int percent = static_cast<int>(static_cast<long long>(p.value) * 100 / maximum);
        const QString bar =
            QString(filled, QLatin1Char('#')) + QString(kBarWidth - filled, QLatin1Char(' '));
        writeProgressLine(QStringLiteral("\r%1 [%2] %3%  %4\x1b[K")
                              .arg(label, bar)
                              .arg(percent, 3)
                              .arg(progressFacts()));
        p.drawn = true;
        return;
    }
    const qint64 now = p.sinceStart.elapsed();
    p.plainPending = true;
    if (p.value == 0)
        return; // nothing done yet (the total may still change)
    if (p.lastPlainLineMs < 0 || now - p.lastPlainLineMs >= kPlainLineEveryMs) {
        writeProgressLine(label + QStringLiteral(": ") + progressFacts() + QLatin1Char('\n'));
        p.lastPlainLineMs = now;
        p.plainPending = false;
    }
}

void CliContext::finishProgress() {
    Progress& p = m_progress;
    if (p.drawn)
        writeProgressLine(QStringLiteral("\n"));
    else if (p.plainPending && p.value > 0)
        writeProgressLine(p.label + QStringLiteral(": ") + progressFacts() + QLatin1Char('\n'));
    p = Progress{};
}

} // namespace zel::cli
