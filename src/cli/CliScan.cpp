// zelctl scan: which cameras of the line answer, by a read that changes nothing in them.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "backup/NumberBox.h"
#include "common/MessageNumber.h"
#include "site/CameraList.h"
#include "site/CameraProbe.h"

#include <QTimer>
#include <cstdio>

namespace zel::cli {

namespace {

// A silent camera is the expected answer of a scan: its time-out is not reported.
class ScanMessageSink : public MessageSink {
public:
    explicit ScanMessageSink(MessageSink& next) : m_next(next) {}
    int ShowMessage(int number, const QString& extra = {}) override {
        return number == MessageTimeout ? ButtonOk : m_next.ShowMessage(number, extra);
    }

private:
    MessageSink& m_next;
};

int usage(const QString& text) {
    CliContext::printUsageError(QStringLiteral("scan: ") + text);
    return ExitUsage;
}

struct ScanArguments {
    CameraAddress address;
    QList<int> cameras;
};

int parseScanArguments(const QStringList& args, ScanArguments& parsed) {
    for (qsizetype i = 0; i < args.size();) {
        const OptionMatch match = parsed.address.take(args, i);
        if (match == OptionMatch::MissingValue)
            return usage(args[i] + QStringLiteral(" needs a value"));
        if (match == OptionMatch::None)
            return usage(QStringLiteral("unexpected argument '%1'").arg(args[i]));
    }
    if (!parsed.address.haveRemote)
        return usage(QStringLiteral("--remote N is required"));
    QString why;
    const auto cameras = ParseCameraList(
        parsed.address.haveCamera ? parsed.address.cameraNo : QStringLiteral("1-255"), &why);
    if (!cameras)
        return usage(QStringLiteral("--camera: ") + why);
    parsed.cameras = *cameras;
    return ExitOk;
}

QString answerLine(int camera, const ProbeAnswer& answer) {
    QString line =
        QStringLiteral("%1  %2 %3").arg(camera, 6).arg(answer.kind, -9).arg(answer.title);
    while (line.endsWith(QLatin1Char(' ')))
        line.chop(1);
    return line + QLatin1Char('\n');
}

int runScan(CliContext& context, const QStringList& args) {
    ScanArguments parsed;
    const int parseResult = parseScanArguments(args, parsed);
    if (parseResult != ExitOk)
        return parseResult;
    if (!context.loadSettings(false) ||
        !NumberBox::checkAddress(context.messages(), context.language(), parsed.address.remoteNo,
                                 QString::number(parsed.cameras.first())))
        return ExitFailed;
    ScanMessageSink messages(context.messages());
    CliLink link(context, &messages);
    if (!link.open())
        return ExitFailed;
    CameraProbe probe(link.engine(), context.settings().languageIndex());
    QString found = QStringLiteral("camera  answer    title\n");
    int answering = 0;
    qsizetype next = 0;
    QObject anchor;
    std::function<void()> probeNext = [&] {
        if (next >= parsed.cameras.size())
            return link.finish(answering > 0 ? ExitOk : ExitFailed);
        const int camera = parsed.cameras[next];
        context.showProgress(QStringLiteral("scan"), int(next), int(parsed.cameras.size()),
                             QStringLiteral("camera %1").arg(camera));
        if (!probe.probe(camera, parsed.address.remoteNo))
            link.finish(ExitFailed);
    };
    probe.onAnswer = [&](int camera, const ProbeAnswer& answer) {
        ++next;
        if (answer.answered) {
            ++answering;
            found += answerLine(camera, answer);
        }
        // After a time-out the engine resets the link once this call returns.
        QTimer::singleShot(0, &anchor, probeNext);
    };
    QTimer::singleShot(0, &anchor, probeNext);
    const int exitCode = link.exec();
    context.showProgress(QStringLiteral("scan"), int(next), int(parsed.cameras.size()));
    context.finishProgress();
    found += QStringLiteral("%1 of %2 cameras answer\n").arg(answering).arg(next);
    std::fputs(found.toUtf8().constData(), stdout);
    return exitCode;
}

const CommandRegistrar registrar{
    {QStringLiteral("scan"),
     QStringLiteral("scan --remote N [--camera LIST]   which cameras answer (default 1-255)"),
     &runScan}};

} // namespace

} // namespace zel::cli
