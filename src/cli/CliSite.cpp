// The whole-site forms of "backup download" and "titles download": every camera of a list
// into its own file of a folder (cam001.bin, cam001.ttl ...), each with the rule that an
// existing file is only replaced by a complete new one, and a summary table at the end.
#include "CliSite.h"

#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliSiteRun.h"
#include "CliTexts.h"
#include "CommandLine.h"
#include "backup/BackupTransfer.h"
#include "common/NumberRange.h"
#include "site/CameraList.h"
#include "titles/TitleCharTable.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFileWriter.h"
#include "titles/TitleTransfer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zel::cli {

namespace {

struct SiteArguments {
    CameraAddress address;
    QString folder;
    QList<int> cameras;
};

// Reads "download --camera LIST --remote N DIR"; an empty text when the arguments are
// usable, else the usage error.
QString parseSiteArguments(const CommandLine& line, SiteArguments& parsed) {
    parsed.address = CameraAddress::from(line);
    if (line.operands().size() > 1)
        return QStringLiteral("unexpected argument '%1'").arg(line.operands()[1]);
    parsed.folder = line.operands().value(0);
    if (!parsed.address.complete())
        return QStringLiteral("--camera LIST and --remote N are required");
    if (parsed.folder.isEmpty())
        return QStringLiteral("DIR is required");
    QString why;
    const std::optional<QList<int>> cameras = ParseCameraList(parsed.address.cameraNo, &why);
    if (!cameras)
        return QStringLiteral("--camera: ") + why;
    parsed.cameras = *cameras;
    return {};
}

// The remote number and the folder, checked before the line is opened. A missing folder is
// made when its parent is there; otherwise nothing is made.
bool checkTarget(CliContext& context, const SiteArguments& parsed) {
    if (!NumberRange::checkAddress(context.messages(), context.language(), parsed.address.remoteNo,
                                   QString::number(parsed.cameras.first())))
        return false;
    QFileInfo folder(parsed.folder);
    if (!folder.exists() && folder.absoluteDir().exists() &&
        QDir().mkdir(folder.absoluteFilePath()))
        folder.refresh();
    if (!folder.isDir() || !folder.isWritable()) {
        const bool orphan = !folder.exists() && !folder.absoluteDir().exists();
        const QString why =
            orphan ? cliText(context.language(), CliText::NoParentFolder)
                         .arg(parsed.folder, QDir::toNativeSeparators(folder.absolutePath()))
                   : cliText(context.language(), CliText::NotWritableFolder).arg(parsed.folder);
        CliContext::printUsageError(why);
        return false;
    }
    return true;
}

QString cameraFile(const QString& folder, int camera, const char* suffix) {
    return QDir(folder).filePath(
        QStringLiteral("cam%1.%2").arg(camera, 3, 10, QLatin1Char('0')).arg(QLatin1String(suffix)));
}

// Passes a transfer's progress and end on to the job's listeners.
template <typename Transfer> void followTransfer(SiteJob& job, Transfer& transfer) {
    transfer.dialog().onChanged = [&job, &transfer] {
        if (job.onProgress)
            job.onProgress(transfer.dialog().progress());
    };
    transfer.onFinished = [&job](bool completed) {
        if (job.onFinished)
            job.onFinished(completed);
    };
}

class BackupJob : public SiteJob {
public:
    BackupJob(CliContext& context, LinkEngine& engine, int camera, const SiteArguments& parsed)
        : m_transfer(engine, context.language(), context.messages()),
          m_path(cameraFile(parsed.folder, camera, "bin")) {
        m_transfer.setAddress(QString::number(camera), parsed.address.remoteNo);
        followTransfer(*this, m_transfer);
    }
    QString outputPath() const override { return m_path; }
    bool start() override { return m_transfer.startDownload(m_path); }
    qint64 conclude(bool completed) override {
        if (m_transfer.dialog().isOpen())
            m_transfer.dialog().close();
        return completed ? QFileInfo(m_path).size() : -1;
    }
    void cancel() override {
        if (m_transfer.dialog().isOpen())
            m_transfer.dialog().close();
    }

private:
    BackupTransfer m_transfer;
    QString m_path;
};

class TitlesJob : public SiteJob {
public:
    TitlesJob(CliContext& context, LinkEngine& engine, int camera, const SiteArguments& parsed)
        : m_context(context), m_table(context.settings().languageIndex()),
          m_transfer(engine, m_document, m_table, context.language()),
          m_path(cameraFile(parsed.folder, camera, "ttl")) {
        m_document.CameraNo = QString::number(camera);
        m_document.RemoteNo = parsed.address.remoteNo;
        followTransfer(*this, m_transfer);
    }
    QString outputPath() const override { return m_path; }
    bool start() override { return m_transfer.startAllDownload(); }
    qint64 conclude(bool completed) override {
        cancel();
        if (!completed ||
            !WriteTitleFile(m_path, m_document, TitleFileLabelsFor(m_context.language()),
                            m_context.messages()))
            return -1;
        return QFileInfo(m_path).size();
    }
    void cancel() override {
        if (m_transfer.dialog().isOpen())
            m_transfer.dialog().close();
    }

private:
    CliContext& m_context;
    TitleDocument m_document;
    TitleCharTable m_table;
    TitleTransfer m_transfer;
    QString m_path;
};

template <typename Job>
int runSite(CliContext& context, const QString& command, const CommandLine& line) {
    SiteArguments parsed;
    if (const QString error = parseSiteArguments(line, parsed); !error.isEmpty())
        return UsageError(command, error);
    if (!context.loadSettings(false))
        return ExitFailed;
    if (!checkTarget(context, parsed))
        return ExitFailed;
    CliSiteRun run(context, parsed.cameras, [&context, &parsed](LinkEngine& engine, int camera) {
        return std::unique_ptr<SiteJob>(new Job(context, engine, camera, parsed));
    });
    return run.exec();
}

} // namespace

bool IsSiteForm(const CommandLine& line) {
    return IsCameraListText(line.value(QStringLiteral("camera")));
}

int RunSiteBackupDownload(CliContext& context, const CommandLine& line) {
    return runSite<BackupJob>(context, QStringLiteral("backup"), line);
}

int RunSiteTitlesDownload(CliContext& context, const CommandLine& line) {
    return runSite<TitlesJob>(context, QStringLiteral("titles"), line);
}

} // namespace zel::cli
