// zelctl panel as a separate process on the pseudo-terminal of an in-process simulator.
#include "CameraControllerSim.h"
#include "EventLoopWait.h"
#include "FaultRules.h"
#include "ZelctlTest.h"

#include <csignal>

using namespace zel::sim;
using namespace zel::test;

class PanelCliTest : public ZelctlTest {
protected:
    void prepare() override {
        writeSettings(false);
        startSimulator();
    }
    // zel.ini with a short entry-clear time, in test mode or not.
    void writeSettings(bool testMode) {
        const QByteArray ini = "[SOFT]\r\nMode=" + QByteArray(testMode ? "1" : "0") +
                               "\r\n[TIMEOUT]\r\nTimeOutDsp=100\r\n[RsWait]\r\nTimeOutWait=300\r\n";
        ASSERT_TRUE(writeBytes(path("zel.ini"), ini));
    }
    ProgramRun panel(const QString& events, const QString& camera = u"1"_qs) {
        return run(Words("panel --camera")
                   << camera << Words("--remote 1") + events.split(u' ', Qt::SkipEmptyParts));
    }
    // The same with the events on stdin (or the file `input` as stdin).
    ProgramRun panelFromStdin(const QByteArray& events, const QString& input = {}) {
        return runWithInput(Words("panel --camera 1 --remote 1 -"), {events, input});
    }
    static QStringList lines(const QString& out) { return out.split(u'\n', Qt::SkipEmptyParts); }

    // Waits until the live run has printed `count` lines; its output so far.
    QStringList liveLinesWhen(int count) {
        waitUntil(
            [this, count] {
                m_liveOut += QString::fromLatin1(live.readAllStandardOutput());
                return m_liveOut.count(u'\n') >= count || live.state() == QProcess::NotRunning;
            },
            30000);
        return lines(m_liveOut);
    }
    QStringList allLiveLines() {
        return lines(m_liveOut + QString::fromLatin1(live.readAllStandardOutput()));
    }

    QString m_liveOut;
};

const QString kRight = u"20043C3C0808"_qs;
const QString kStop = u"20003C3C0808"_qs;

TEST_F(PanelCliTest, MovementGoAndNowAgainstTheSimulator) {
    EXPECT_TRUE(Succeeded(panel(u"press:right wait:150 release:right wait:150 "
                                "position:3600,100,25600,470 click:go wait:400 click:now"_qs),
                          u"20043C3C0808\n20003C3C0808\n1436000100640001D6\n15\n"
                          "PAN 3600 TILT 100 ZOOM 25600 D-ZOOM 470\n"_qs));
    EXPECT_EQ(simulator->device().frameCount(0x20), 2);
}

TEST_F(PanelCliTest, EveryKeyIsAcknowledged) {
    writeSettings(true);
    const QByteArray events =
        "click:aux1-off click:aux1-on click:aux2-off click:aux2-on click:aux3-off click:aux3-on\n"
        "click:aux4-off click:aux4-on click:aux5-off click:aux5-on click:wdr-reset click:wdr-off\n"
        "click:wdr-on click:bw-reset click:bw-off click:bw-on click:irs-reset click:irs-dark\n"
        "click:irs-bright click:alarm-reset click:alarm-action click:stop click:autop\n"
        "preset-key:on autopan-way:4 autopan-turn:1 click:autop click:menu click:set click:c\n"
        "click:menu click:1 click:2 click:pos type:12 click:position-set type:12\n"
        "click:position-clear\n"
        "type:2 click:trace type:16 click:tour type:1 click:rec click:recstop type:2\n"
        "click:trace-clear click:turn-l-set click:turn-r-set click:turn-u-set click:turn-d-set\n"
        "click:turn-clear click:turn-off click:turn-on click:autopan-r-set click:autopan-l-set\n"
        "click:autopan-r-cl click:autopan-l-cl mode:test test-pan:100 mode:accel-off\n"
        "mode:step pan-speed:30 click:go\n";
    ProgramRun r = panelFromStdin(events);
    EXPECT_TRUE(Succeeded(r));
    const QStringList sent = lines(r.out);
    EXPECT_EQ(sent.size(), 50) << r.out.toStdString();
    for (const char* data :
         {"410401", "A901FFFF", "A9000000", "100120", "110120", "120120", "4802", "4D10", "4901",
          "4A", "4C02", "2204", "4302", "2000647F0808", "200000000808"})
        EXPECT_TRUE(sent.contains(QString::fromLatin1(data))) << data;
    EXPECT_EQ(sent.last(), u"140000000000000000"_qs);
}

// Keys held together on the keyboard: the diagonal, then the release of each key.
TEST_F(PanelCliTest, KeyboardDiagonalAndLensKey) {
    EXPECT_TRUE(Ended(panel(u"keydown:left keydown:up wait:400 keyup:up wait:400 "
                            "keydown:e wait:400 keyup:e wait:400 keyup:left"_qs),
                      0, "",
                      "20093C3C0808\n20083C3C0808\n20183C3C0808\n20083C3C0808\n20003C3C0808\n"));
}

// Press and release with nothing between them: the release goes out after the press's ACK,
// every time.
TEST_F(PanelCliTest, BackToBackPressAndReleaseTwentyTimes) {
    for (int run = 0; run < 20; ++run)
        EXPECT_TRUE(
            Succeeded(panel(u"press:right release:right"_qs), kRight + u'\n' + kStop + u'\n'))
            << run;
    EXPECT_EQ(simulator->device().frameCount(0x20), 40);
}

TEST_F(PanelCliTest, SignalWhileAKeyIsHeldStopsTheCamera) {
    for (const int signalNumber : {SIGINT, SIGTERM}) {
        m_liveOut.clear();
        const int before = simulator->device().frameCount(0x20);
        startLive(Words("panel --camera 1 --remote 1 press:right wait:3600000 release:right"));
        ASSERT_EQ(liveLinesWhen(1), QStringList{kRight});
        EXPECT_EQ(signalLiveWhen([&] { return simulator->device().frameCount(0x20) == before + 1; },
                                 signalNumber),
                  128 + signalNumber);
        EXPECT_EQ(allLiveLines(), (QStringList{kRight, kStop}));
        const QString err = liveErr();
        EXPECT_TRUE(Holds(err, "camera 1 stopped"));
        EXPECT_EQ(err.count(u'\n'), 1) << err.toStdString();
        EXPECT_EQ(simulator->device().frameCount(0x20), before + 2);
    }
}

// Events through a pipe as they come: the release a second later still reaches the camera.
TEST_F(PanelCliTest, StdinIsReadAsAStream) {
    startLive(Words("panel --camera 1 --remote 1 -"));
    live.write("press:right\n");
    ASSERT_EQ(liveLinesWhen(1), QStringList{kRight});
    runEventsFor(300);
    EXPECT_EQ(live.state(), QProcess::Running) << "the run lasts until stdin ends";
    live.write("wait:50 release:right\n");
    live.closeWriteChannel();
    EXPECT_EQ(liveExit(), 0) << liveErr().toStdString();
    EXPECT_EQ(allLiveLines(), (QStringList{kRight, kStop}));
}

TEST_F(PanelCliTest, EndOfInputOrABadLineWithAKeyHeldStopsTheCamera) {
    EXPECT_TRUE(Ended(panelFromStdin("press:right\n"), 0, "", "20043C3C0808\n20003C3C0808\n"));
    EXPECT_TRUE(Ended(panelFromStdin("keydown:left wait:100\nbogus:1\nclick:stop\n"), 2,
                      "unknown event 'bogus:1'", "20083C3C0808\n20003C3C0808\n"));
}

// More than 64 KiB of events: none is cut.
TEST_F(PanelCliTest, LongInputIsReadToItsEnd) {
    QByteArray events;
    while (events.size() < 200 * 1024)
        events += "wait:0 wait:0 wait:0\n";
    events += "click:stop\n";
    EXPECT_TRUE(Ended(panelFromStdin(events), 0, "", "40\n"));
}

TEST_F(PanelCliTest, CameraAnswersBecomeMessages) {
    for (const auto& [kind, command] :
         {std::pair{FaultKind::Nack, 0x30}, std::pair{FaultKind::Busy, 0x40},
          std::pair{FaultKind::BadChecksum, 0x15}})
        simulator->device().faultPlan().add(faultRule(kind, command));
    const std::pair<const char*, const char*> cases[] = {
        {"click:aux1-on", "Communication: NACK is received. (camera 1, command 30)\n"},
        {"click:stop", "Communication: \"BUSY\" is received. (camera 1, command 40)\n"},
        {"click:now", "Communication error: Receiving data error. (camera 1, command 15)\n"},
    };
    for (const auto& [events, err] : cases)
        EXPECT_TRUE(Ended(panel(QLatin1String(events)), 1, err)) << events;
    EXPECT_EQ(panel(u"click:now"_qs).out, u"15\n"_qs) << "no position line";
}

TEST_F(PanelCliTest, SilentCameraAndCameraZero) {
    EXPECT_TRUE(Ended(panel(u"click:stop"_qs, u"9"_qs), 1, "no reply from camera 9"));
    EXPECT_TRUE(
        Ended(panel(u"click:stop press:up"_qs, u"0"_qs), 0, "", "40\n20013C3C0808\n20003C3C0808\n"))
        << "a key still held at the end is released";
}

TEST_F(PanelCliTest, RangeChecksShowTheRangeMessage) {
    writeSettings(true);
    EXPECT_TRUE(Ended(panel(u"type:3 click:trace click:stop"_qs), 1,
                      "Error message: 1 to 2 Setting data is beyond the setting range\n", "40\n"));
    // The refused speed still re-evaluates the held keys: none, so the release goes out.
    ProgramRun speed = panel(u"test-pan:200 position:7201,0,0,0"_qs);
    EXPECT_TRUE(Ended(speed, 1, "1 to 127", "20003C3C0808\n"));
    EXPECT_TRUE(Holds(speed.err, "0 to 7200"));
    EXPECT_EQ(simulator->device().framesReceived(), 2);
}

TEST_F(PanelCliTest, UsageErrorsSendNothing) {
    for (const char* events :
         {"click:stop bogus:1", "click:nothing", "press:sideways", "keydown:F1", "wait:x",
          "pan-speed:5", "zoom-speed:60", "mode:test", "test-pan:5", "mode:fast", "type:1a",
          "autopan-way:5", "autopan-turn:0", "preset-key:yes", "position:1,2,3", "click:stop wait",
          "--bogus"})
        EXPECT_TRUE(Ended(panel(QString::fromLatin1(events)), 2, "", "")) << events;
    expectRuns({{"panel --camera x --remote 1 click:stop", 2},
                {"panel --camera 256 --remote 1 click:stop", 2,
                 "zelctl: panel: --camera must be a number from 0 to 255 (got '256')\n"}});
    EXPECT_EQ(simulator->device().framesReceived(), 0);

    EXPECT_EQ(panelFromStdin({}, u"/dev/zero"_qs).exitCode, 2);
    EXPECT_EQ(panelFromStdin("   \n").exitCode, 2);
    EXPECT_EQ(panelFromStdin("click:stop \xff\xfe").exitCode, 2);
    EXPECT_EQ(simulator->device().framesReceived(), 0);
}

TEST_F(PanelCliTest, PortThatCannotOpen) {
    EXPECT_TRUE(Ended(run(Words("panel --camera 1 --remote 1 click:stop"), path("no-such-device")),
                      1, "COM port open error", ""));
}
