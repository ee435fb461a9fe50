// The CPU writer window over a real pseudo-terminal against the simulated CPU in boot mode:
// captions, the controls during a write, the close rule and the end of the program.
#include "cpuwriter/CpuWriterWindow.h"

#include "BootCpuSim.h"
#include "EventLoopWait.h"
#include "RecordingSink.h"
#include "SRecordMaker.h"
#include "SimulatedBootCpu.h"
#include "TestFiles.h"
#include "common/MessageNumber.h"
#include "cpuwriter/FlashWriter.h"
#include "link/LinkEngine.h"
#include "shell/Application.h"
#include "shell/MenuState.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

using namespace zel;
using namespace zel::gui;
using namespace zel::test;

class CpuWriterWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(writeBytes(dir.filePath(u"zel.ini"_qs), "[SOFT]\nMode=0\n"));
        ASSERT_TRUE(sim::WriteStandInBootFiles(dir.path(), nullptr));
        appFile = dir.filePath(u"app.mot"_qs);
        ASSERT_TRUE(writeBytes(appFile, sim::MakeSRecords(0, QByteArray(0x8000, '\x42'))));
        ASSERT_TRUE(cpu.start(nullptr));
        ASSERT_TRUE(app.readSettings(dir.path()));
        app.settings().PortOverride = cpu.slavePath();
        app.start(sink);
        app.openPort();
        ASSERT_EQ(app.menu().click(MenuState::ButtonCpuWriter),
                  MenuState::ClickAction::OpenCpuWriter);
        window = new CpuWriterWindow(app);
        window->show();
    }
    void TearDown() override { delete window.data(); }

    QTemporaryDir dir;
    QString appFile;
    sim::SimulatedBootCpu cpu;
    RecordingSink sink;
    Application app;
    QPointer<CpuWriterWindow> window;
};

TEST_F(CpuWriterWindowTest, OpensIdleWithItsCaptions) {
    EXPECT_EQ((QStringList{window->windowTitle(), window->ComboCpuType()->currentText(),
                           window->TextCpuFile()->text(), window->CommandCpuFile()->text(),
                           window->CommandCpuWriter()->text(), window->mnuFile()->title(),
                           window->mnuCpuWrite()->text()}),
              (QStringList{u"CPU WRITER"_qs, u"MASTER"_qs, QString(), u"OPEN"_qs, u"WRITE"_qs,
                           u"File"_qs, u"Write Enable"_qs}));
    EXPECT_EQ(window->ComboCpuType()->count(), 2);
    EXPECT_EQ(window->ProgressBarCpuWriter()->maximum(), 2064);

    // WRITE without a file asks for one; "Close" empties the file name.
    window->CommandCpuWriter()->click();
    EXPECT_EQ(sink.numbers(), QList<int>{MessageSelectApplicationFile});
    window->chooseFile(appFile);
    window->findChild<QAction*>(u"mnuClose"_qs)->trigger();
    EXPECT_TRUE(window->TextCpuFile()->text().isEmpty() && window->CommandCpuWriter()->isEnabled());
}

TEST_F(CpuWriterWindowTest, WriteLocksTheScreenAndTheProgramUntilItEnds) {
    cpu.device().faults().writeErrorBlock = 3;
    window->chooseFile(appFile);
    window->mnuCpuWrite()->trigger();
    ASSERT_TRUE(window->writer().isRunning());
    EXPECT_FALSE(app.engine().isPortOpen()); // the CPU port has the line
    EXPECT_FALSE(window->CommandCpuWriter()->isEnabled() || window->ComboCpuType()->isEnabled() ||
                 window->mnuWrite()->isEnabled());
    ASSERT_TRUE(waitUntil(
        [&] { return window->writer().WriteState() == FlashWriter::StateBootProgram; }, 10000));

    EXPECT_TRUE(!window->close() && window->isVisible());
    EXPECT_EQ(app.menu().requestClose(true), MenuState::CloseDecision::Cancel);
    EXPECT_EQ(sink.numbers(), (QList<int>{MessageInProgramming, MessageInProgramming}));
    EXPECT_FALSE(window->LabelCpuTime()->text().isEmpty());

    ASSERT_TRUE(waitUntil([&] { return !window->writer().isRunning(); }, 20000));
    EXPECT_EQ(sink.numbers().last(), MessageFlashWriteError);
    EXPECT_EQ(cpu.device().blocksWritten(), 3);
    EXPECT_TRUE(window->CommandCpuWriter()->isEnabled());
    EXPECT_EQ(window->ProgressBarCpuWriter()->value(), 0);

    // Closing now gives the line back to the shared port.
    EXPECT_TRUE(window->close() && app.engine().isPortOpen());
}
