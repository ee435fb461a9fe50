#include "CliSiteRun.h"

#include "CliTexts.h"

#include "CliCommand.h"
#include "CliContext.h"
#include "common/OutputPath.h"

#include <QTimer>
#include <cstdio>

namespace zel::cli {

CliSiteRun::CliSiteRun(CliContext& context, QList<int> cameras, JobMaker makeJob)
    : m_context(context), m_cameras(std::move(cameras)), m_makeJob(std::move(makeJob)),
      m_link(context) {}

int CliSiteRun::exec() {
    if (!m_link.open())
        return ExitFailed;
    m_link.onInterrupted = [this] {
        if (m_job)
            m_job->cancel(); // as Cancel: what the camera's transfer kept stays
    };
    QTimer::singleShot(0, &m_anchor, [this] { startNext(); });
    const int exitCode = m_link.exec();
    m_context.finishProgress();
    std::fputs(m_summary.table(m_context.settings().languageIndex()).toUtf8().constData(), stdout);
    if (m_link.interruptedBy() != 0 && m_next < m_cameras.size())
        CliContext::printUsageError(cliText(m_context.language(), CliText::CamerasNotReached)
                                        .arg(m_cameras.size() - m_next)
                                        .arg(m_cameras.size()));
    return exitCode;
}

void CliSiteRun::startNext() {
    m_job.reset(); // the last camera's transfer has ended
    if (m_next >= m_cameras.size()) {
        m_link.finish(m_summary.allOk() ? ExitOk : ExitFailed);
        return;
    }
    const int camera = m_cameras[m_next];
    m_job = m_makeJob(m_link.engine(), camera);
    if (!outputWritable(camera)) {
        ++m_next;
        QTimer::singleShot(0, &m_anchor, [this] { startNext(); });
        return;
    }
    m_job->onProgress = [this, camera](TransferProgress progress) {
        if (!progress.started())
            return;
        progress.phase = cliText(m_context.language(), CliText::CameraPhase).arg(camera);
        m_context.showProgress(progress);
    };
    m_job->onFinished = [this](bool completed) { jobFinished(completed); };
    m_messagesBefore = m_context.messages().shown().size();
    m_clock.start();
    if (!m_job->start())
        jobFinished(false);
}

bool CliSiteRun::outputWritable(int camera) {
    const OutputCheck check = CheckOutputPath(m_job->outputPath());
    if (check.ok())
        return true;
    m_summary.add({camera, false, QStringLiteral("cannot save"), 0, 0});
    CliContext::printUsageError(QStringLiteral("camera %1: %2, skipped")
                                    .arg(camera)
                                    .arg(OutputProblemLine(m_job->outputPath(), check, 0)));
    return false;
}

void CliSiteRun::jobFinished(bool completed) {
    m_context.finishProgress();
    CameraOutcome outcome;
    outcome.camera = m_cameras[m_next++];
    const qint64 bytes = m_job->conclude(completed);
    outcome.milliseconds = m_clock.elapsed();
    outcome.ok = completed && bytes >= 0;
    outcome.bytes = std::max<qint64>(bytes, 0);
    const int message = lastMessageSince(m_messagesBefore);
    const int language = m_context.settings().languageIndex();
    outcome.result = outcome.ok ? SiteSummary::okResult(language)
                                : SiteSummary::resultForMessage(message, language);
    m_summary.add(outcome);
    if (!outcome.ok && m_link.interruptedBy() == 0)
        CliContext::printUsageError(
            SiteSummary::skippedLine(outcome.camera, outcome.result, language));
    // The next camera starts once this transfer's callbacks have returned.
    if (m_link.interruptedBy() == 0)
        QTimer::singleShot(0, &m_anchor, [this] { startNext(); });
}

int CliSiteRun::lastMessageSince(qsizetype shownBefore) const {
    const QList<int>& shown = m_context.messages().shown();
    return shown.size() > shownBefore ? shown.last() : 0;
}

} // namespace zel::cli
