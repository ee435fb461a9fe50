// zelctl flash as a separate process on a real pseudo-terminal: against the zelsim program in
// boot-CPU mode (image compared byte for byte) and against an in-process simulated CPU with
// faults; bad input fails before anything is sent.
#include "BootCpuSim.h"
#include "SRecordMaker.h"
#include "SimulatedBootCpu.h"
#include "ZelctlTest.h"

#include <QFileInfo>
#include <csignal>

using namespace zel::test;

static QByteArray applicationImage() {
    QByteArray image(0x40000, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char((i * 5 + i / 1024) & 0xFF); // every value, 0x10 included
    return image;
}

class FlashCliTest : public ZelctlTest {
protected:
    void prepare() override {
        ASSERT_TRUE(zel::sim::WriteStandInBootFiles(dir.path(), nullptr));
        appFile = path("app.mot");
        ASSERT_TRUE(writeBytes(appFile, zel::sim::MakeSRecords(0, image)));
    }
    void startCpu(const zel::sim::BootCpuFaults& faults = {}) {
        cpu = std::make_unique<zel::sim::SimulatedBootCpu>(faults);
        ASSERT_TRUE(cpu->start(nullptr));
    }
    ProgramRun flash(const QStringList& args) {
        return run(Words("--quiet flash") + args, cpu ? cpu->slavePath() : QString());
    }

    QByteArray image = applicationImage();
    QString appFile;
    std::unique_ptr<zel::sim::SimulatedBootCpu> cpu;
};

TEST_F(FlashCliTest, WritesTheWholeImageIntoZelsim) {
    const QString zelsimPath = BuiltProgram(u"zelsim"_qs);
    if (!QFileInfo::exists(zelsimPath))
        GTEST_SKIP() << "zelsim not built";
    const QString saved = path("saved.bin");
    QProcess zelsim;
    zelsim.start(zelsimPath, Words("--boot-cpu --save-image") << saved);
    ASSERT_TRUE(zelsim.waitForReadyRead(5000));
    const QString slave = QString::fromLocal8Bit(zelsim.readLine()).trimmed().mid(8);
    ASSERT_TRUE(slave.startsWith(u"/dev/"_qs)) << slave.toStdString();

    const ProgramRun result = run(Words("--quiet flash --cpu slave") << appFile, slave);
    EXPECT_TRUE(Succeeded(result));
    EXPECT_TRUE(StartsWith(result.out, "CPU WRITER: 2048 blocks written in "));
    zelsim.terminate();
    ASSERT_TRUE(zelsim.waitForFinished(5000));
    EXPECT_TRUE(zelsim.readAllStandardError().contains("flash image saved"));
    EXPECT_EQ(readBytes(saved), image);
}

TEST_F(FlashCliTest, CpuFaultsEndWithTheirMessageAndExitOne) {
    struct Case {
        const char* name;
        std::function<void(zel::sim::BootCpuFaults&)> fault;
        const char* line;
    };
    const QList<Case> cases{
        {"erase", [](auto& f) { f.eraseError = true; }, "CPU WRITER: Flash erase error"},
        {"write", [](auto& f) { f.writeErrorBlock = 2; }, "CPU WRITER: Flash write error"},
        {"checksum", [](auto& f) { f.badChecksumBlock = 1; },
         "Communication error: Receiving data error."},
        {"no cpu", [](auto& f) { f.noCpu = true; }, "CPU WRITER: Error:Cpu is not connected."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        zel::sim::BootCpuFaults faults;
        c.fault(faults);
        startCpu(faults);
        EXPECT_TRUE(Ended(flash({appFile}), 1, c.line, ""));
    }
    // The last CPU, which never answered, got only the bit-rate bytes.
    EXPECT_EQ(cpu->device().receivedLog(), QByteArray(5120, '\0'));
}

TEST_F(FlashCliTest, BadInputSendsNothing) {
    startCpu();
    ASSERT_TRUE(writeBytes(path("bad.mot"), "S1130000FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFEC\r\n"));
    // A missing FILE is pinned with the other commands' in MessagesCliTest.
    expectRuns({{"--quiet flash @bad.mot", 1, "CPU WRITER: Application program reads error"},
                {"--quiet flash @bad.mot", 1,
                 "bad.mot: no end record (S7, S8 or S9) after line 1 (zelctl srec --info "},
                {"--quiet flash /dev/zero", 1, "not a regular file"},
                {"--quiet flash --cpu other @app.mot", 2, "--cpu must be"},
                {"--quiet flash", 2, "FILE is required"},
                {"--quiet flash @app.mot @app.mot", 2, "only one FILE"}},
               {}, cpu->slavePath());
    EXPECT_TRUE(Ended(run({u"flash"_qs, appFile}, path("no-such-port")), 1, "COM port open error"));

    // Without the boot program in the program folder.
    QFile::remove(path("ZARNIPEX2633.MOT"));
    EXPECT_TRUE(Ended(flash({appFile}), 1,
                      u"CPU WRITER: No control program for writing exists.\n"
                      "zelctl: flash: %1: no such file\n"_qs.arg(path("ZARNIPEX2633.MOT"))));
    EXPECT_TRUE(EndsWith(flash({u"--lang=ja"_qs, appFile}).err, ": ファイルがありません\n"));
    EXPECT_TRUE(cpu->device().receivedLog().isEmpty());
}

// SIGINT or SIGTERM during the blocks: the block in flight is finished, no block follows, and
// the user is told what the CPU now holds and what to do.
TEST_F(FlashCliTest, InterruptedWriteSaysWhatTheCpuHolds) {
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        startCpu();
        startLive(Words("--quiet flash") << appFile, cpu->slavePath());
        EXPECT_EQ(signalLiveWhen([&] { return cpu->device().blocksWritten() >= 3; }, signalNumber),
                  128 + signalNumber);
        const QString err = liveErr();
        EXPECT_TRUE(Holds(err, "the camera's CPU holds a partial program; put "
                               "it in boot mode and run flash again"));
        const int written = cpu->device().blocksWritten();
        EXPECT_GE(written, 3);
        EXPECT_TRUE(Holds(err, u"interrupted after %1 of 2048 blocks"_qs.arg(written)));
        EXPECT_FALSE(cpu->device().completed());
        cpu->stop();
        cpu.reset();
    }
}
