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
#include "TestFiles.h"
#include "ZelctlTest.h"
#include "common/Cp932.h"
#include "link/TelnetCodec.h"

#include <QFileInfo>
#include <QTimer>

using namespace zel;
using namespace zel::test;

namespace {

// The COM-PORT-CONTROL settings in what the client sent: command → value, the last of each.
QMap<int, quint32> comPortSettings(const QByteArray& clientBytes) {
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
        return run(QStringList{QStringLiteral("--quiet")} + args, port);
    }
    // A communication test file: three rows to camera 2 (ACK, data, NACK), the rest unused.
    QString writeTestFile() {
        QString text = QStringLiteral(":---------通信テスト画面情報---------\r\n1:リモコン番号\r\n"
                                      "2:カメラ番号\r\n0:連続送信チェック\r\n0:時間間隔\r\n"
                                      "0:フリーフォーマット\r\n:---------通信テスト送信データ---"
                                      "------\r\nW\t2000\t\r\nR\t15\t\r\nR\t99\t\r\n");
        for (int row = 3; row < 16; ++row)
            text += QStringLiteral("W\t\t\r\n");
        const QString file = path("rows.trf");
        EXPECT_TRUE(writeBytes(file, TextToCp932(text + QStringLiteral("\r\n")).value()));
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
        ASSERT_TRUE(server.start(cpu.slavePath(), &error,
                                 rfc2217 ? QStringLiteral("38400e81") : QStringLiteral("19200n81")))
            << error.toStdString();
        TcpDelayRelay recorder(rfc2217 ? server.rfc2217Port() : server.rawPort(), 0);
        ASSERT_TRUE(recorder.listen());
        const QString port = QStringLiteral("%1://127.0.0.1:%2")
                                 .arg(rfc2217 ? QStringLiteral("rfc2217") : QStringLiteral("tcp"))
                                 .arg(recorder.port());
        const ProgramRun result = quiet(port, {QStringLiteral("flash"), QStringLiteral("--cpu"),
                                               QStringLiteral("slave"), appFile});
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        EXPECT_TRUE(result.out.startsWith(QStringLiteral("CPU WRITER: 2048 blocks written")))
            << result.out.toStdString();
        EXPECT_EQ(cpu.device().flash(), image);
        if (!rfc2217)
            return;
        const QMap<int, quint32> asked = comPortSettings(recorder.clientBytes());
        EXPECT_EQ(asked.value(telnet::SetBaudRate), 19200u);
        EXPECT_EQ(asked.value(telnet::SetDataSize), 8u);
        EXPECT_EQ(asked.value(telnet::SetParity), quint32(telnet::ParityNone));
        EXPECT_EQ(asked.value(telnet::SetStopSize), 1u);
    }

    Ser2netServer server;
};

QString cameraArgs(int camera) {
    return QStringLiteral("--camera=%1 --remote=1").arg(camera);
}

QStringList words(const QString& text) {
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

TEST_F(SerialServerCliTest, BackupDownloadAndUploadMatchTheLocalPort) {
    startServer();
    const QByteArray original = simulator->device().camera(2).settings();
    int target = 3;
    for (const QString& port : ports()) {
        const QString file = path("cam2.bin");
        QFile::remove(file);
        const ProgramRun down = quiet(port, words(QStringLiteral("backup download ") +
                                                  cameraArgs(2) + QStringLiteral(" ") + file));
        EXPECT_EQ(down.exitCode, 0) << port.toStdString() << ": " << down.err.toStdString();
        EXPECT_EQ(down.out, QStringLiteral("DOWNLOAD is completed.\n")) << port.toStdString();
        EXPECT_EQ(readBytes(file), original) << port.toStdString();

        const ProgramRun up = quiet(port, words(QStringLiteral("backup upload ") +
                                                cameraArgs(target) + QStringLiteral(" ") + file));
        EXPECT_EQ(up.exitCode, 0) << port.toStdString() << ": " << up.err.toStdString();
        EXPECT_EQ(up.out, QStringLiteral("Verification is completed.\n"));
        EXPECT_EQ(simulator->device().camera(target).settings(), original) << port.toStdString();
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
        const QString ttl = path("cam1.ttl");
        QFile::remove(ttl);
        const ProgramRun down = quiet(port, words(QStringLiteral("titles download ") +
                                                  cameraArgs(1) + QStringLiteral(" ") + ttl));
        EXPECT_EQ(down.exitCode, 0) << port.toStdString() << ": " << down.err.toStdString();
        titles << readBytes(ttl);

        const ProgramRun panel =
            quiet(port, words(QStringLiteral("panel ") + cameraArgs(1) +
                              QStringLiteral(" press:right wait:100 release:right "
                                             "position:3600,100,25600,470 click:go wait:300 "
                                             "click:now")));
        EXPECT_EQ(panel.exitCode, 0) << port.toStdString() << ": " << panel.err.toStdString();
        panelOutputs << panel.out;

        const ProgramRun test = quiet(port, {QStringLiteral("test"), QStringLiteral("run"), trf});
        EXPECT_EQ(test.exitCode, 0) << port.toStdString() << ": " << test.err.toStdString();
        testOutputs << test.out;
    }
    EXPECT_FALSE(titles[0].isEmpty());
    EXPECT_EQ(titles[1], titles[0]);
    EXPECT_EQ(titles[2], titles[0]);
    EXPECT_TRUE(panelOutputs[0].contains(QStringLiteral("PAN 3600 TILT 100")))
        << panelOutputs[0].toStdString();
    EXPECT_EQ(panelOutputs[1], panelOutputs[0]);
    EXPECT_EQ(panelOutputs[2], panelOutputs[0]);
    EXPECT_TRUE(testOutputs[0].startsWith(QStringLiteral("1\tW\t2000\tACK\n2\tR\t15\tFD")))
        << testOutputs[0].toStdString();
    EXPECT_EQ(testOutputs[1], testOutputs[0]);
    EXPECT_EQ(testOutputs[2], testOutputs[0]);
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
    const QString port = QStringLiteral("rfc2217://127.0.0.1:%1").arg(recorder.port());
    const ProgramRun scan = quiet(port, words(QStringLiteral("scan --remote 1 --camera 1-3")));
    EXPECT_EQ(scan.exitCode, 0) << scan.err.toStdString();
    const QMap<int, quint32> asked = comPortSettings(recorder.clientBytes());
    EXPECT_EQ(asked.value(telnet::SetBaudRate), 38400u);
    EXPECT_EQ(asked.value(telnet::SetParity), quint32(telnet::ParityEven));
    EXPECT_EQ(asked.value(telnet::SetControl), quint32(telnet::ControlNoFlow));
    EXPECT_GE(recorder.clientBytes().count(telnet::purgeReceiveBuffer()), 3);
}

TEST_F(SerialServerCliTest, UnreachableServersAreNamedWithTheReason) {
    startServer();
    const quint16 nobody = FreeLoopbackPort();
    const struct {
        QString port;
        QString line;
    } cases[] = {
        {QStringLiteral("tcp://127.0.0.1:%1").arg(nobody),
         QStringLiteral("cannot connect to tcp://127.0.0.1:%1: connection refused").arg(nobody)},
        {QStringLiteral("rfc2217://127.0.0.1:%1").arg(nobody),
         QStringLiteral("cannot connect to rfc2217://127.0.0.1:%1: connection refused")
             .arg(nobody)},
        // A raw port named as RFC 2217: nothing answers the Telnet offer.
        {QStringLiteral("rfc2217://127.0.0.1:%1").arg(server.rawPort()),
         QStringLiteral("no answer to the Telnet COM-PORT-CONTROL offer")},
        {QStringLiteral("tcp://no-such-host.invalid:2000"), QStringLiteral("host name not found")},
        {QStringLiteral("tcp://127.0.0.1"), QStringLiteral("the port number is missing")},
    };
    for (const auto& c : cases) {
        const ProgramRun result =
            quiet(c.port, words(QStringLiteral("send ") + cameraArgs(1) + QStringLiteral(" 15")));
        EXPECT_EQ(result.exitCode, 1) << c.port.toStdString();
        EXPECT_TRUE(result.err.contains(c.line))
            << c.port.toStdString() << ": " << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << result.out.toStdString();
    }
}

TEST_F(SerialServerCliTest, ServerStoppedMidTransferKeepsThePartialFile) {
    sim::SimConfig paced;
    paced.bitRate = 38400; // the download takes about 15 s
    startServer(paced);
    for (const bool rfc2217 : {true, false}) {
        const QString port = rfc2217 ? server.rfc2217PortName() : server.rawPortName();
        const QString file = path("cam1.bin");
        QTimer::singleShot(1500, [this] {
            server.stop();
            simulator->host().dropLineInFlight();
        });
        const ProgramRun result = quiet(port, words(QStringLiteral("backup download ") +
                                                    cameraArgs(1) + QStringLiteral(" ") + file));
        EXPECT_EQ(result.exitCode, 1) << port.toStdString();
        EXPECT_TRUE(result.err.contains(QStringLiteral("the serial port went away: ") + port +
                                        QStringLiteral(": the server closed the connection")))
            << result.err.toStdString();
        const qint64 kept = QFileInfo(file + QStringLiteral(".partial")).size();
        EXPECT_GT(kept, 0);
        EXPECT_EQ(kept % 32, 0);
        EXPECT_FALSE(QFileInfo::exists(file));
        QString error;
        ASSERT_TRUE(server.start(simulator->slavePath(), &error)) << error.toStdString();
    }
}

TEST_F(SerialServerCliTest, SlowNetworkCompletesWithinTheShippedTimeOutsOrNamesTheSetting) {
    startServer();
    const QStringList testRun{QStringLiteral("test"), QStringLiteral("run"), writeTestFile()};
    const ProgramRun local = quiet(simulator->slavePath(), testRun);
    ASSERT_EQ(local.exitCode, 0) << local.err.toStdString();
    for (const bool rfc2217 : {true, false}) {
        TcpDelayRelay slow(rfc2217 ? server.rfc2217Port() : server.rawPort(), 50);
        ASSERT_TRUE(slow.listen());
        const QString port = QStringLiteral("%1://127.0.0.1:%2")
                                 .arg(rfc2217 ? QStringLiteral("rfc2217") : QStringLiteral("tcp"))
                                 .arg(slow.port());
        const ProgramRun done = quiet(port, testRun);
        EXPECT_EQ(done.exitCode, 0) << port.toStdString() << ": " << done.err.toStdString();
        EXPECT_EQ(done.out, local.out) << port.toStdString();
    }
    TcpDelayRelay tooSlow(server.rawPort(), 300); // 600 ms there and back
    ASSERT_TRUE(tooSlow.listen());
    const ProgramRun late =
        quiet(QStringLiteral("tcp://127.0.0.1:%1").arg(tooSlow.port()),
              words(QStringLiteral("send ") + cameraArgs(1) + QStringLiteral(" 15")));
    EXPECT_EQ(late.exitCode, 1);
    EXPECT_TRUE(late.err.contains(
        QStringLiteral("over a network, raise [RsWait] TimeOutWait in zel.ini (now 500 ms)")))
        << late.err.toStdString();
}

} // namespace
