// zelctl backup as a separate process on the pseudo-terminal of an in-process simulator.
#include "CameraControllerSim.h"
#include "SimConfig.h"
#include "SimulatedController.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

using namespace zel::sim;

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

bool hasLine(const QString& output, const char* line) {
    return output.split(QLatin1Char('\n')).contains(QString::fromUtf8(line));
}

class BackupCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_program = QCoreApplication::applicationDirPath() + QStringLiteral("/../src/zelctl");
        if (!QFile::exists(m_program))
            GTEST_SKIP() << "zelctl is not built";
    }

    void startSimulator(const SimConfig& config = {}) {
        m_sim = std::make_unique<SimulatedController>(config);
        ASSERT_TRUE(m_sim->start(nullptr));
    }

    // Runs zelctl while this thread's event loop keeps the simulator answering.
    CliRun run(const QStringList& args) {
        QProcess process;
        QStringList all{QStringLiteral("--folder"), dir.path(), QStringLiteral("--quiet")};
        if (m_sim)
            all << QStringLiteral("--port") << m_sim->slavePath();
        all << args;
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, [&loop] { loop.quit(); });
        QTimer::singleShot(60000, &loop, [&loop] { loop.quit(); });
        process.start(m_program, all);
        loop.exec();
        CliRun result;
        result.exitCode = process.state() == QProcess::NotRunning ? process.exitCode() : -2;
        result.out = QString::fromLocal8Bit(process.readAllStandardOutput());
        result.err = QString::fromLocal8Bit(process.readAllStandardError());
        process.kill();
        process.waitForFinished();
        return result;
    }

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    std::unique_ptr<SimulatedController> m_sim;
    QString m_program;
};

TEST_F(BackupCliTest, DownloadThenUploadWithVerification) {
    startSimulator();
    const QString file = path("cam2.bin");
    CliRun down =
        run({QStringLiteral("backup"), QStringLiteral("download"), QStringLiteral("--camera"),
             QStringLiteral("2"), QStringLiteral("--remote"), QStringLiteral("7"), file});
    EXPECT_EQ(down.exitCode, 0) << down.err.toStdString();
    EXPECT_EQ(down.out, QStringLiteral("DOWNLOAD is completed.\n"));
    QFile saved(file);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    const QByteArray image = saved.readAll();
    EXPECT_EQ(image, m_sim->device().camera(2).settings());

    CliRun up = run({QStringLiteral("backup"), QStringLiteral("upload"),
                     QStringLiteral("--camera=3"), QStringLiteral("--remote=1"), file});
    EXPECT_EQ(up.exitCode, 0) << up.err.toStdString();
    EXPECT_EQ(up.out, QStringLiteral("Verification is completed.\n"));
    EXPECT_EQ(m_sim->device().camera(3).settings(), image);
    EXPECT_EQ(m_sim->device().frameCount(0xC1), 3000);
}

TEST_F(BackupCliTest, FailuresGiveExitOneWithTheMessage) {
    SimConfig config;
    FaultRule busy;
    busy.kind = FaultKind::Busy;
    busy.command = 0xC1;
    busy.number = 3;
    config.faults.add(busy);
    startSimulator(config);
    QFile image(path("image.bin"));
    ASSERT_TRUE(image.open(QIODevice::WriteOnly));
    image.write(QByteArray(32000, '\x11'));
    image.close();

    const CliRun busyRun =
        run({QStringLiteral("backup"), QStringLiteral("upload"), QStringLiteral("--no-verify"),
             QStringLiteral("--camera"), QStringLiteral("1"), QStringLiteral("--remote"),
             QStringLiteral("1"), image.fileName()});
    EXPECT_EQ(busyRun.exitCode, 1);
    EXPECT_TRUE(hasLine(busyRun.err, "Communication error: Receiving data error."))
        << busyRun.err.toStdString();

    QFile shortImage(path("short.bin"));
    ASSERT_TRUE(shortImage.open(QIODevice::WriteOnly));
    shortImage.write(QByteArray(31999, '\x11'));
    shortImage.close();
    const CliRun shortRun =
        run({QStringLiteral("backup"), QStringLiteral("upload"), QStringLiteral("--camera"),
             QStringLiteral("1"), QStringLiteral("--remote"), QStringLiteral("1"),
             shortImage.fileName()});
    EXPECT_EQ(shortRun.exitCode, 1);
    EXPECT_TRUE(hasLine(shortRun.err, "File input error: File incorrect"))
        << shortRun.err.toStdString();
}

TEST_F(BackupCliTest, BadNumbersAndUsageErrors) {
    const CliRun range = run({QStringLiteral("backup"), QStringLiteral("download"),
                              QStringLiteral("--camera"), QStringLiteral("256"),
                              QStringLiteral("--remote"), QStringLiteral("1"), path("x.bin")});
    EXPECT_EQ(range.exitCode, 1);
    EXPECT_TRUE(
        hasLine(range.err, "Error message: 1 to 255 Setting data is beyond the setting range"))
        << range.err.toStdString();
    const CliRun remote =
        run({QStringLiteral("backup"), QStringLiteral("download"), QStringLiteral("--camera"),
             QStringLiteral("1"), QStringLiteral("--remote"), QStringLiteral("x"), path("x.bin")});
    EXPECT_EQ(remote.exitCode, 1);
    EXPECT_TRUE(remote.err.startsWith(QStringLiteral("Error message: 1 to 99")))
        << remote.err.toStdString();

    const QList<QStringList> usage{
        {QStringLiteral("backup")},
        {QStringLiteral("backup"), QStringLiteral("copy")},
        {QStringLiteral("backup"), QStringLiteral("download"), QStringLiteral("--camera"),
         QStringLiteral("1"), QStringLiteral("--remote"), QStringLiteral("1")},
        {QStringLiteral("backup"), QStringLiteral("download"), QStringLiteral("--remote"),
         QStringLiteral("1"), path("x.bin")},
        {QStringLiteral("backup"), QStringLiteral("download"), QStringLiteral("--no-verify"),
         QStringLiteral("--camera"), QStringLiteral("1"), QStringLiteral("--remote"),
         QStringLiteral("1"), path("x.bin")},
        {QStringLiteral("backup"), QStringLiteral("upload"), QStringLiteral("--camera"),
         QStringLiteral("1"), QStringLiteral("--remote")},
    };
    for (const QStringList& args : usage)
        EXPECT_EQ(run(args).exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
    EXPECT_FALSE(QFile::exists(path("x.bin")));
}

} // namespace
