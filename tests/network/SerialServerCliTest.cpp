// zelctl through a serial device server: ser2net in the foreground on loopback, its serial
// side the pseudo-terminal of an in-process simulator. Every run is compared with the same
// run on the local pseudo-terminal; raw TCP and RFC 2217 both.
#include "BootCpuSim.h"
#include "CameraControllerSim.h"
#include "EventLoopWait.h"
#include "PtyHost.h"
#include "SRecordMaker.h"
#include "Ser2netServer.h"
#include "SimulatedBootCpu.h"
#include "TcpDelayRelay.h"
#include "TrfText.h"
#include "ZelctlTest.h"
#include "common/Cp932.h"
#include "link/TelnetCodec.h"

#include <QFileInfo>
#include <QTimer>

using namespace zel;
using namespace zel::test;

// The COM-PORT-CONTROL settings in what the client sent: command → value, the last of each.
static QMap<int, quint32> comPortSettings(const QByteArray& clientBytes) {
    telnet::Decoder decoder;
    decoder.setPeerBinary(true);
    QMap<int, quint32> settings;
    for (const telnet::Event& event : decoder.feed(clientBytes).events) {
        if (event.kind != telnet::Event::Kind::Subnegotiation ||
            event.option != telnet::OptionComPort || event.payload.isEmpty())
            continue;
        quint32 value = 0;
        for (qsizetype i = 1; i < event.payload.size(); ++i)
            value = (value << 8) | static_cast<quint8>(event.payload[i]);
        settings[static_cast<quint8>(event.payload[0])] = value;
    }
    return settings;
}

// The client's address of a server port on this machine.
static QString loopback(bool rfc2217, quint16 port) {
    return u"%1://127.0.0.1:%2"_qs.arg(rfc2217 ? u"rfc2217"_qs : u"tcp"_qs).arg(port);
}

// `command` to camera `camera` on remote 1, with `last` after the options.
static QStringList cameraCommand(const char* command, int camera, const QString& last) {
    return Words(command) << u"--camera=%1"_qs.arg(camera) << u"--remote=1"_qs << last;
}

class SerialServerCliTest : public ZelctlTest {
protected:
    void SetUp() override {
        ZelctlTest::SetUp();
        if (IsSkipped())
            return;
        if (!Ser2netServer::isInstalled())
            GTEST_SKIP() << "ser2net is not installed (scripts/install-deps)";
        // Connections give up quickly here: the failure cases wait for them.
        ASSERT_TRUE(writeBytes(path("zel.ini"), "[RsWait]\r\nConnectWait=2000\r\n"));
    }
    void startServer(const sim::SimConfig& config = {}) {
        startSimulator(config);
        QString error;
        ASSERT_TRUE(server.start(simulator->slavePath(), &error)) << error.toStdString();
    }
    // The three ways to the same line: local pty, raw TCP, RFC 2217.
    QStringList ports() const {
        return {simulator->slavePath(), server.rawPortName(), server.rfc2217PortName()};
    }
    // Each run starts with the line free: ser2net closes the device a moment after the
    // previous client has gone, and until then refuses a new client or reads its replies.
    ProgramRun quiet(const QString& port, const QStringList& args) {
        EXPECT_TRUE(waitUntil([this] { return !server.holdsDevice(); }, 10000))
            << "ser2net keeps the device open";
        return run(QStringList{u"--quiet"_qs} + args, port);
    }
    // A communication test file: three rows to camera 2 (ACK, data, NACK), the rest unused.
    QString writeTestFile() {
        const QString file = path("rows.trf");
        const QString text =
            settingLines("1", "2") + rowLines({u"W\t2000\t"_qs, u"R\t15\t"_qs, u"R\t99\t"_qs});
        EXPECT_TRUE(writeBytes(file, TextToCp932(text).value()));
        return file;
    }

    // A flash write of the whole image through the server; over RFC 2217 the line settings
    // zel asked for are checked in what it sent.
    void flashThroughServer(bool rfc2217) {
        QByteArray image(0x40000, '\0');
        for (int i = 0; i < image.size(); ++i)
            image[i] = char((i * 7 + i / 512) & 0xFF); // 0xFF bytes too: escaped on the way
        ASSERT_TRUE(sim::WriteStandInBootFiles(dir.path(), nullptr));
        const QString appFile = path("app.mot");
        ASSERT_TRUE(writeBytes(appFile, sim::MakeSRecords(0, image)));
        sim::SimulatedBootCpu cpu;
        ASSERT_TRUE(cpu.start(nullptr));
        QString error;
        // The server's own default is the camera line's 38400 8E1: over RFC 2217 zel changes
        // it; a raw TCP port has to be set up for the write by hand.
        ASSERT_TRUE(
            server.start(cpu.slavePath(), &error, rfc2217 ? u"38400e81"_qs : u"19200n81"_qs))
            << error.toStdString();
        TcpDelayRelay recorder(rfc2217 ? server.rfc2217Port() : server.rawPort(), 0);
        ASSERT_TRUE(recorder.listen());
        const ProgramRun result =
            quiet(loopback(rfc2217, recorder.port()), Words("flash --cpu slave") << appFile);
        EXPECT_TRUE(StartsWith(result.out, "CPU WRITER: 2048 blocks written"));
        EXPECT_TRUE(Ended(result, 0));
        EXPECT_EQ(cpu.device().flash(), image);
        if (!rfc2217)
            return;
        const QMap<int, quint32> asked = comPortSettings(recorder.clientBytes());
        const QList<quint32> line{asked.value(telnet::SetBaudRate),
                                  asked.value(telnet::SetDataSize), asked.value(telnet::SetParity),
                                  asked.value(telnet::SetStopSize)};
        EXPECT_EQ(line, (QList<quint32>{19200, 8, telnet::ParityNone, 1}));
    }

    Ser2netServer server;
};

TEST_F(SerialServerCliTest, BackupDownloadAndUploadMatchTheLocalPort) {
    startServer();
    const QByteArray original = simulator->device().camera(2).settings();
    int target = 3;
    for (const QString& port : ports()) {
        SCOPED_TRACE(port.toStdString());
        const QString file = path("cam2.bin");
        QFile::remove(file);
        EXPECT_TRUE(Ended(quiet(port, cameraCommand("backup download", 2, file)), 0, "",
                          "DOWNLOAD is completed.\n"));
        EXPECT_EQ(readBytes(file), original);
        EXPECT_TRUE(Ended(quiet(port, cameraCommand("backup upload", target, file)), 0, "",
                          "Verification is completed.\n"));
        EXPECT_EQ(simulator->device().camera(target).settings(), original);
        ++target;
    }
}

TEST_F(SerialServerCliTest, TitlesPanelAndTestRunMatchTheLocalPort) {
    startServer();
    const QString trf = writeTestFile();
    QList<QByteArray> titles;
    QStringList panelOutputs;
    QStringList testOutputs;
    for (const QString& port : ports()) {
        SCOPED_TRACE(port.toStdString());
        const QString ttl = path("cam1.ttl");
        QFile::remove(ttl);
        EXPECT_TRUE(Ended(quiet(port, cameraCommand("titles download", 1, ttl)), 0));
        titles << readBytes(ttl);
        const ProgramRun panel =
            quiet(port, cameraCommand("panel", 1, u"press:right"_qs) +
                            Words("wait:100 release:right position:3600,100,25600,470 click:go "
                                  "wait:300 click:now"));
        EXPECT_TRUE(Ended(panel, 0));
        panelOutputs << panel.out;
        const ProgramRun test = quiet(port, Words("test run") << trf);
        EXPECT_TRUE(Ended(test, 0));
        testOutputs << test.out;
    }
    EXPECT_FALSE(titles[0].isEmpty());
    EXPECT_EQ(titles, QList<QByteArray>(3, titles[0]));
    EXPECT_TRUE(Holds(panelOutputs[0], "PAN 3600 TILT 100"));
    EXPECT_EQ(panelOutputs, QStringList(3, panelOutputs[0]));
    EXPECT_TRUE(StartsWith(testOutputs[0], "1\tW\t2000\tACK\n2\tR\t15\tFD"));
    EXPECT_EQ(testOutputs, QStringList(3, testOutputs[0]));
}

TEST_F(SerialServerCliTest, FlashOverRfc2217SetsTheServersLineTo19200WithoutParity) {
    flashThroughServer(true);
}

TEST_F(SerialServerCliTest, FlashOverRawTcpOnALineSetUpForIt) {
    flashThroughServer(false);
}

TEST_F(SerialServerCliTest, CameraLineIsSetTo38400EvenParityAndPurgedBeforeEachFrame) {
    startServer();
    TcpDelayRelay recorder(server.rfc2217Port(), 0);
    ASSERT_TRUE(recorder.listen());
    EXPECT_TRUE(
        Ended(quiet(loopback(true, recorder.port()), Words("scan --remote 1 --camera 1-3")), 0));
    const QMap<int, quint32> asked = comPortSettings(recorder.clientBytes());
    const QList<quint32> line{asked.value(telnet::SetBaudRate), asked.value(telnet::SetParity),
                              asked.value(telnet::SetControl)};
    EXPECT_EQ(line, (QList<quint32>{38400, telnet::ParityEven, telnet::ControlNoFlow}));
    EXPECT_GE(recorder.clientBytes().count(telnet::purgeReceiveBuffer()), 3);
}

TEST_F(SerialServerCliTest, UnreachableServersAreNamedWithTheReason) {
    startServer();
    const quint16 nobody = FreeLoopbackPort();
    const QString refused = u"cannot connect to %1: connection refused"_qs;
    const struct {
        QString port;
        QString line;
    } cases[] = {
        {loopback(false, nobody), refused.arg(loopback(false, nobody))},
        {loopback(true, nobody), refused.arg(loopback(true, nobody))},
        // A raw port named as RFC 2217: nothing answers the Telnet offer.
        {loopback(true, server.rawPort()), u"no answer to the Telnet COM-PORT-CONTROL offer"_qs},
        {u"tcp://no-such-host.invalid:2000"_qs, u"host name not found"_qs},
        {u"tcp://127.0.0.1"_qs, u"the port number is missing"_qs},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.port.toStdString());
        EXPECT_TRUE(Ended(quiet(c.port, cameraCommand("send", 1, u"15"_qs)), 1, c.line, u""_qs));
    }
}

TEST_F(SerialServerCliTest, ServerStoppedMidTransferKeepsThePartialFile) {
    sim::SimConfig paced;
    paced.bitRate = 38400; // the download takes about 15 s
    startServer(paced);
    for (const bool rfc2217 : {true, false}) {
        const QString port = rfc2217 ? server.rfc2217PortName() : server.rawPortName();
        SCOPED_TRACE(port.toStdString());
        const QString file = path("cam1.bin");
        QTimer::singleShot(1500, [this] {
            server.stop();
            simulator->host().dropLineInFlight();
        });
        const ProgramRun result = quiet(port, cameraCommand("backup download", 1, file));
        EXPECT_TRUE(
            Ended(result, 1,
                  u"the serial port went away: %1: the server closed the connection"_qs.arg(port)));
        const qint64 kept = QFileInfo(file + u".partial"_qs).size();
        EXPECT_GT(kept, 0);
        EXPECT_EQ(kept % 32, 0);
        EXPECT_FALSE(QFileInfo::exists(file));
        QString error;
        ASSERT_TRUE(server.start(simulator->slavePath(), &error)) << error.toStdString();
    }
}

TEST_F(SerialServerCliTest, SlowNetworkCompletesWithinTheShippedTimeOutsOrNamesTheSetting) {
    startServer();
    const QStringList testRun = Words("test run") << writeTestFile();
    const ProgramRun local = quiet(simulator->slavePath(), testRun);
    ASSERT_TRUE(Ended(local, 0));
    for (const bool rfc2217 : {true, false}) {
        TcpDelayRelay slow(rfc2217 ? server.rfc2217Port() : server.rawPort(), 50);
        ASSERT_TRUE(slow.listen());
        SCOPED_TRACE(rfc2217 ? "rfc2217" : "tcp");
        EXPECT_TRUE(Ended(quiet(loopback(rfc2217, slow.port()), testRun), 0, {}, local.out));
    }
    TcpDelayRelay tooSlow(server.rawPort(), 300); // 600 ms there and back
    ASSERT_TRUE(tooSlow.listen());
    const ProgramRun late =
        quiet(loopback(false, tooSlow.port()), cameraCommand("send", 1, u"15"_qs));
    EXPECT_TRUE(
        Ended(late, 1, "over a network, raise [RsWait] TimeOutWait in zel.ini (now 500 ms)"));
}
