#pragma once
// Runs one transfer per camera, one after another on one open line, and keeps the outcome of
// each: a camera that fails or stays silent is reported and skipped, the next one goes on.
#include "CliLink.h"
#include "CliSiteJob.h"
#include "site/SiteSummary.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <functional>
#include <memory>

namespace zel::cli {

class CliContext;

class CliSiteRun {
public:
    using JobMaker = std::function<std::unique_ptr<SiteJob>(LinkEngine& engine, int camera)>;

    CliSiteRun(CliContext& context, QList<int> cameras, JobMaker makeJob);

    // Opens the line and runs every camera; prints the summary table on stdout. Exit 0 when
    // every camera succeeded, 1 when one failed, 128 + signal when interrupted.
    int exec();

private:
    void startNext();
    // False (the camera reported and skipped) when its file cannot be written.
    bool outputWritable(int camera);
    void jobFinished(bool completed);
    int lastMessageSince(qsizetype shownBefore) const;

    CliContext& m_context;
    QList<int> m_cameras;
    JobMaker m_makeJob;
    CliLink m_link;
    SiteSummary m_summary;
    std::unique_ptr<SiteJob> m_job;
    qsizetype m_next = 0;
    qsizetype m_messagesBefore = 0;
    QElapsedTimer m_clock;
    QObject m_anchor; // the context of the queued next steps
};

} // namespace zel::cli
