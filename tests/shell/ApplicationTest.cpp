#include "shell/Application.h"
#include "PtyMaster.h"
#include "RecordingSink.h"
#include "TestFiles.h"
#include "common/MessageNumber.h"
#include "link/LinkEngine.h"
#include "shell/MenuState.h"
#include "shell/MessageDetail.h"
#include "shell/OptionController.h"
#include "shell/SingleInstanceLock.h"

#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(test::writeBytes(m_dir.filePath(u"zel.ini"_qs),
                                     "[LANGUAGE]\nMode=1\n[RS232C]\nComPort=1\nRate=3\nAutoSave=0\n"
                                     "[RsWait]\nWrite1=11\nWrite2=22\nWrite3=33\nWrite4=44\n"));
        ASSERT_TRUE(m_app.readSettings(m_dir.path()));
        ASSERT_FALSE(m_pty.slavePath().isEmpty());
        m_app.settings().PortOverride = m_pty.slavePath();
        m_app.start(m_sink);
    }
    QByteArray iniText() const { return test::readBytes(m_dir.filePath(u"zel.ini"_qs)); }

    QTemporaryDir m_dir;
    test::PtyMaster m_pty; // its slave is the device the program opens
    test::RecordingSink m_sink;
    Application m_app;
};

TEST_F(ApplicationTest, ReadsLanguageAndOpensThePort) {
    EXPECT_EQ(m_app.language().languageIndex(), 1);
    EXPECT_TRUE(m_app.openPort());
    EXPECT_EQ(m_app.titleChars().size(), 513); // Japanese table built at menu load
    EXPECT_EQ(std::tuple(m_app.engine().isPortOpen(), m_sink.shown.size()), std::tuple(true, 0));
    EXPECT_TRUE(m_app.printDatabasePath().endsWith(u"/DbFile.mdb"_qs));
    m_app.closePort();
    EXPECT_FALSE(m_app.engine().isPortOpen());
}

TEST_F(ApplicationTest, SettingWritesTheKeysAndReappliesThePort) {
    m_app.openPort();
    m_app.menu().click(MenuState::ButtonOption);
    OptionController option(m_app);
    int autoSaveCalls = 0;
    option.onAutoSaveChanged = [&] { ++autoSaveCalls; };
    EXPECT_FALSE(option.isChanged());
    option.setRate(1);
    option.setAutoSave(2);
    EXPECT_TRUE(option.isChanged());
    option.applySetting();
    EXPECT_FALSE(option.isChanged());
    EXPECT_EQ(std::tuple(m_app.settings().CurrentWriteWait, m_app.settings().baudRate(),
                         autoSaveCalls, m_app.engine().isPortOpen()),
              std::tuple(22, 9600, 1, true));
    for (const char* line : {"\nRate=1\n", "\nAutoSave=2\n", "\nWrite2=22\n"})
        EXPECT_TRUE(iniText().contains(line)) << line;

    option.close(); // nothing unapplied: no question
    EXPECT_EQ(std::tuple(m_sink.shown.size(), m_app.menu().isEnabled(MenuState::ButtonOption)),
              std::tuple(0, true));
}

TEST_F(ApplicationTest, CloseWithUnappliedChangeAsksAndNoKeepsTheOldValue) {
    OptionController option(m_app);
    option.setAutoSave(3);
    m_sink.answers = {ButtonNo};
    option.close();
    EXPECT_EQ(std::tuple(m_sink.numbers(), m_app.settings().AutoSave),
              std::tuple(QList<int>{7}, u"0"_qs));
    EXPECT_TRUE(iniText().contains("\nAutoSave=0\n"));
    EXPECT_TRUE(m_app.engine().isPortOpen()); // re-applied in every case

    OptionController again(m_app);
    again.setPort(2);
    m_sink.answers = {ButtonYes};
    again.close();
    EXPECT_EQ(m_app.settings().ComPort, u"2"_qs);
    EXPECT_TRUE(iniText().contains("\nComPort=2\n"));
}

TEST_F(ApplicationTest, UnwritableSettingsFileIsReported) {
    OptionController option(m_app);
    option.setRate(0);
    m_app.settings().SettingsFilePath = m_dir.filePath(u"gone/zel.ini"_qs);
    option.applySetting();
    EXPECT_EQ(m_sink.numbers(), QList<int>{24});
    EXPECT_EQ(m_app.settings().CurrentWriteWait, 11); // in force for this run
}

TEST(SingleInstanceLockTest, SecondCopyRefusedAndStaleLockTakenOver) {
    QTemporaryDir dir;
    {
        SingleInstanceLock first(u"zel.lock"_qs, dir.path());
        ASSERT_TRUE(first.tryLock());
        SingleInstanceLock second(u"zel.lock"_qs, dir.path());
        EXPECT_FALSE(second.tryLock());
    }
    // A copy that crashed: its lock names a process that no longer runs.
    ASSERT_TRUE(test::writeBytes(dir.filePath(u"zel.lock"_qs),
                                 "999999\nzel\n" + QSysInfo::machineHostName().toUtf8() + "\n"));
    SingleInstanceLock next(u"zel.lock"_qs, dir.path());
    EXPECT_TRUE(next.tryLock());
}

// A missing settings file: English, and the detail names the file; a port that cannot open:
// message 6 with the device and the system's reason.
TEST(MessageDetailTest, PortErrorNamesDeviceAndReasonAndMissingSettingsNameTheFile) {
    QTemporaryDir dir;
    test::RecordingSink sink;
    Application app;
    ASSERT_FALSE(app.readSettings(dir.filePath(u"nowhere"_qs)));
    EXPECT_EQ(app.language().languageIndex(), 0);
    const QString fileDetail = messageDetail(app, MessageNoSettingFile);
    EXPECT_TRUE(fileDetail.startsWith(u"File: "_qs)) << fileDetail.toStdString();
    EXPECT_TRUE(fileDetail.endsWith(u"nowhere/zel.ini"_qs)) << fileDetail.toStdString();
    EXPECT_TRUE(messageDetail(app, MessagePortOpenError).isEmpty()); // before start: none

    const QString device = dir.filePath(u"ttyUSB9"_qs);
    app.settings().PortOverride = device;
    app.start(sink);
    EXPECT_FALSE(app.openPort());
    EXPECT_EQ(sink.numbers(), QList<int>{MessagePortOpenError});
    const QString portDetail = messageDetail(app, MessagePortOpenError);
    EXPECT_TRUE(portDetail.contains(device)) << portDetail.toStdString();
    EXPECT_GT(portDetail.size(), device.size() + 4) << "the system's reason is missing";
    EXPECT_TRUE(messageDetail(app, MessageTimeout).isEmpty());
}
