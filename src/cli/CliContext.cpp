#include "CliContext.h"

#include "CliArguments.h"
#include "common/MessageNumber.h"
#include "shell/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
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

CliContext::CliContext() : m_sink(m_language) {}

void CliContext::printUsageError(const QString& text) {
    std::fputs((QStringLiteral("zelctl: ") + text + QLatin1Char('\n')).toLocal8Bit().constData(),
               stderr);
}

bool CliContext::parseGlobalOptions(QStringList& args) {
    for (qsizetype i = 0; i < args.size();) {
        const OptionMatch match = removeOption(args, i,
                                               {{QStringLiteral("--folder"), &m_options.folder},
                                                {QStringLiteral("--port"), &m_options.port},
                                                {QStringLiteral("--rate"), &m_options.rate},
                                                {QStringLiteral("--lang"), &m_options.lang}});
        if (match == OptionMatch::MissingValue) {
            printUsageError(QStringLiteral("option %1 needs a value").arg(args[i]));
            return false;
        }
        if (match == OptionMatch::Taken)
            continue;
        if (args[i] == QStringLiteral("--yes")) {
            m_options.yes = true;
            args.remove(i);
        } else if (args[i] == QStringLiteral("--quiet")) {
            m_options.quiet = true;
            args.remove(i);
        } else {
            ++i;
        }
    }
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
    return !m_options.quiet && isatty(STDERR_FILENO);
}

void CliContext::showProgress(const QString& label, int value, int maximum, const QString& suffix) {
    if (!progressEnabled() || maximum <= 0)
        return;
    constexpr int kWidth = 30;
    const int filled = static_cast<int>(static_cast<long long>(value) * kWidth / maximum);
    const int percent = static_cast<int>(static_cast<long long>(value) * 100 / maximum);
    const QString bar =
        QString(filled, QLatin1Char('#')) + QString(kWidth - filled, QLatin1Char(' '));
    QString line = QStringLiteral("\r%1 [%2] %3%").arg(label, bar).arg(percent, 3);
    if (!suffix.isEmpty())
        line += QLatin1Char(' ') + suffix + QStringLiteral("\x1b[K"); // clear a longer tail
    std::fputs(line.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
    m_progressShown = true;
}

void CliContext::finishProgress() {
    if (m_progressShown)
        std::fputs("\n", stderr);
    m_progressShown = false;
}

} // namespace zel::cli
