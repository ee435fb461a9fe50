#include "shell/Settings.h"
#include "TestFiles.h"
#include "Words.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using zel::Settings;
using zel::test::Words;

class SettingsTest : public ::testing::Test {
protected:
    void writeIni(const QByteArray& content) {
        ASSERT_TRUE(zel::test::writeBytes(m_dir.filePath(u"zel.ini"_qs), content));
    }
    QByteArray readIni() const { return zel::test::readBytes(m_dir.filePath(u"zel.ini"_qs)); }
    Settings read(const QByteArray& content = {}) { // none: the file as it stands
        if (!content.isNull())
            writeIni(content);
        Settings settings;
        EXPECT_TRUE(settings.ReadSettings(m_dir.path()));
        return settings;
    }
    QTemporaryDir m_dir;
};

TEST_F(SettingsTest, MissingFileReadsNothing) {
    Settings settings;
    EXPECT_FALSE(settings.ReadSettings(m_dir.path()));
    EXPECT_EQ(settings.Rate, u"3"_qs);
    EXPECT_TRUE(settings.ApplicationFolder.endsWith(QLatin1Char('/')));
    EXPECT_EQ(settings.SettingsFilePath, settings.ApplicationFolder + u"zel.ini"_qs);
}

TEST_F(SettingsTest, EnumeratedKeysOutOfRangeTakeTheirReplacement) {
    const Settings s = read("[SOFT]\nMode=1\n[LANGUAGE]\nMode=2\n"
                            "[RS232C]\nComPort=9\nRate=7\nAutoSave=5\n");
    EXPECT_EQ((QStringList{s.SoftMode, s.LanguageMode, s.ComPort, s.Rate, s.AutoSave}),
              Words("1 0 1 3 0"));
    const Settings inRange = read("[RS232C]\nComPort=4\nRate=0\nAutoSave=3\n");
    EXPECT_EQ(
        std::tuple(inRange.ComPort, inRange.Rate, inRange.baudRate(), inRange.autoSaveMinutes()),
        std::tuple(u"4"_qs, u"0"_qs, 4800, 10));
}

TEST_F(SettingsTest, NamesMatchWithoutCaseAndValuesAreTrimmedAndRewritten) {
    const Settings s = read("[rs232c]\r\ncomport =  2  \r\n[RSWAIT]\r\nwrite4=\t 300\r\n"
                            "TimeOutWait=abc\r\nRetryCnt=\r\n");
    EXPECT_EQ((QStringList{s.ComPort, s.Write[3], s.TimeOutWait, s.RetryCnt}),
              Words("2 300 500 3"));
    EXPECT_EQ(s.CurrentWriteWait, 300); // rate 3 (default) picks Write4
}

TEST_F(SettingsTest, FileWithoutRsWaitGivesTheLinkDefaults) {
    const Settings s = read("[SOFT]\nMode=0\n");
    EXPECT_EQ((QList<int>{s.CurrentWriteWait, s.timeOutWaitMs(), s.retryCount(), s.timeOutRetryMs(),
                          s.timeOutDspMs()}),
              (QList<int>{200, 500, 3, 500, 2000}));
}

TEST_F(SettingsTest, ValuesUnfitForTimersOrCountsFallBackToDefaults) {
    const Settings s = read("[TIMEOUT]\nTimeOutDsp=0\n[RsWait]\nWrite1=-5\nWrite2=70000\n"
                            "Write3=0\nTimeOutWait=0\nRetryCnt=-1\nTimeOutRetry=99999\n"
                            "Read1=65536\n");
    EXPECT_EQ((QStringList{s.TimeOutDsp, s.Write[0], s.Write[1], s.Write[2], s.TimeOutWait,
                           s.RetryCnt, s.TimeOutRetry, s.Read[0]}),
              Words("2000 200 200 200 500 3 500 200"));
    // Edges that do serve: zero retries, 1 ms and 65535 ms.
    const Settings edges = read("[RsWait]\nRetryCnt=0\nWrite1=1\nWrite4=65535\n");
    EXPECT_EQ(std::tuple(edges.RetryCnt, edges.Write[0], edges.CurrentWriteWait),
              std::tuple(u"0"_qs, u"1"_qs, 65535));
}

TEST_F(SettingsTest, FractionalTimerValuesAreRoundedToWholeMilliseconds) {
    // Rule: a fractional value is rounded to the nearest whole number, halves away from zero,
    // and kept as that number's text; one that rounds to 0 does not serve a timer (default).
    using TextOf = QString (*)(const Settings&);
    const std::tuple<const char*, const char*, TextOf> keys[] = {
        {"TIMEOUT", "TimeOutDsp", [](const Settings& s) { return s.TimeOutDsp; }},
        {"RsWait", "TimeOutWait", [](const Settings& s) { return s.TimeOutWait; }},
        {"RsWait", "TimeOutRetry", [](const Settings& s) { return s.TimeOutRetry; }},
        {"RsWait", "Write1", [](const Settings& s) { return s.Write[0]; }},
        {"RsWait", "Write2", [](const Settings& s) { return s.Write[1]; }},
        {"RsWait", "Write3", [](const Settings& s) { return s.Write[2]; }},
        {"RsWait", "Write4", [](const Settings& s) { return s.Write[3]; }}};
    const QList<std::pair<const char*, const char*>> values{
        {"250.4", "250"}, {"250.5", "251"}, {"250.6", "251"}, {"0.5", "1"}, {" 99.99 ", "100"}};
    for (const auto& [section, name, textOf] : keys) {
        const QByteArray line = QByteArray("[") + section + "]\n" + name + "=";
        for (const auto& [written, kept] : values)
            EXPECT_EQ(textOf(read(line + written + "\n")), QString::fromLatin1(kept))
                << name << "=" << written;
        EXPECT_EQ(textOf(read(line + "0.4\n")), textOf(Settings())) << name;
    }
    // The derived wait and the typed readers see the rounded number.
    const Settings s = read("[RsWait]\nWrite4=12.7\nTimeOutWait=300.2\nRetryCnt=2.5\n");
    EXPECT_EQ((QList<int>{s.CurrentWriteWait, s.timeOutWaitMs(), s.retryCount()}),
              (QList<int>{13, 300, 3}));
}

TEST_F(SettingsTest, ProfileFileRulesOneAtATime) {
    // Each file breaks one rule of the profile reader; TimeOutWait keeps its 500 default
    // unless the rule lets the 700 through.
    const QList<std::pair<const char*, int>> files{
        {"[RsWait]\nTimeOutWait=\"700\"\n", 700},                        // enclosing quotes removed
        {"[RsWait]\n; TimeOutWait=700\n", 500},                          // comment line
        {"[RsWait]\nTimeOutWaitX=700\n", 500},                           // whole key names only
        {"[TIMEOUT]\nTimeOutWait=700\n", 500},                           // key of another section
        {"TimeOutWait=700\n[RsWait]\n", 500},                            // key before any section
        {"[RsWait]\nTimeOutWait 700\n", 500},                            // no equals sign
        {"[RsWait]\nTimeOutWait=700\n[RsWait]\nTimeOutWait=900\n", 700}, // first section
        {"[RsWait]\nTimeOutWait=7 00\n", 500},                           // not a number
        {"[ RsWait ]\n  TimeOutWait  =  700  \n", 700},                  // blanks around names
        {"[RsWait]\nTimeOutWait=00000000000000123456\n", 123},           // 17 characters kept
    };
    for (const auto& [content, expected] : files)
        EXPECT_EQ(read(content).timeOutWaitMs(), expected) << content;
}

TEST_F(SettingsTest, PortDeviceMapsComPortsAndHonoursOverrides) {
    Settings s = read("[RS232C]\nComPort=2\nDevice3=/dev/serial/by-id/usb-adapter-port0\n");
    EXPECT_EQ(s.portDevice(), u"/dev/ttyS1"_qs);
    s.ComPort = u"3"_qs;
    EXPECT_EQ(s.portDevice(), u"/dev/serial/by-id/usb-adapter-port0"_qs);
    s.PortOverride = u"/dev/pts/7"_qs;
    EXPECT_EQ(s.portDevice(), u"/dev/pts/7"_qs);
}

TEST_F(SettingsTest, WritingChangesOnlyTheKeyLine) {
    const QByteArray original = "; site settings\r\n[SOFT]\r\nMode=1\r\n\r\n[RS232C]\r\n"
                                "ComPort=1 ; first port\r\nunknown=keep me\r\nRate=3\r\n"
                                "AutoSave=0\r\n[RsWait]\r\nWrite1=200\r\n";
    Settings s = read(original);
    ASSERT_TRUE(s.P_SetIniRS232C(u"2"_qs, u"1"_qs));
    ASSERT_TRUE(s.P_SetIniAutoSave(u"3"_qs));
    QByteArray expected = original;
    expected.replace("ComPort=1 ; first port", "ComPort=2");
    expected.replace("Rate=3", "Rate=1");
    expected.replace("AutoSave=0", "AutoSave=3");
    EXPECT_EQ(std::pair(readIni(), s.Rate), std::pair(expected, u"1"_qs));
    const Settings again = read();
    EXPECT_EQ((QStringList{again.ComPort, again.AutoSave}), Words("2 3"));
}

TEST_F(SettingsTest, DeviceChoiceWritesOnlyItsKeyAndMapsBack) {
    const QByteArray original = "; site settings\r\n[RS232C]\r\nComPort=2\r\n"
                                "Device2 = /dev/ttyS1\r\nRate=3\r\n[RsWait]\r\nWrite1=200\r\n";
    Settings s = read(original);
    ASSERT_TRUE(s.P_SetIniDevice(2, u"/dev/ttyUSB0"_qs));
    ASSERT_TRUE(s.P_SetIniDevice(4, u"/dev/ttyACM0"_qs));
    QByteArray expected = original;
    expected.replace("Device2 = /dev/ttyS1", "Device2=/dev/ttyUSB0");
    expected.replace("Rate=3\r\n", "Rate=3\r\nDevice4=/dev/ttyACM0\r\n");
    EXPECT_EQ(std::pair(readIni(), s.portDevice()), std::pair(expected, u"/dev/ttyUSB0"_qs));
    EXPECT_EQ(s.portOfDevice(u"/dev/ttyACM0"_qs), 4);
    EXPECT_EQ(s.portOfDevice(u"/dev/ttyS0"_qs), 1); // COM1's default
    EXPECT_EQ(s.portOfDevice(u"/dev/pts/3"_qs), 0);
    EXPECT_FALSE(s.P_SetIniDevice(5, u"/dev/ttyUSB1"_qs));
    EXPECT_EQ(read().portDevice(), u"/dev/ttyUSB0"_qs);
}

TEST_F(SettingsTest, WritingAppendsAMissingKeyOrSection) {
    Settings s = read("[RS232C]\nComPort=1\n\n[RsWait]\nWrite1=200");
    ASSERT_TRUE(s.P_SetIniAutoSave(u"2"_qs));
    EXPECT_EQ(readIni(), QByteArray("[RS232C]\nComPort=1\nAutoSave=2\n\n[RsWait]\nWrite1=200"));

    s = read("[SOFT]\nMode=1");
    ASSERT_TRUE(s.P_SetIniRS232C(u"4"_qs, u"0"_qs));
    EXPECT_EQ(readIni(), QByteArray("[SOFT]\nMode=1\n[RS232C]\nComPort=4\nRate=0\n"));
}

TEST_F(SettingsTest, CarriageReturnOnlyFileReadsAndKeepsItsLineEnds) {
    Settings s = read("[LANGUAGE]\rMode=1\r[RS232C]\rComPort=3\rRate=2\r");
    EXPECT_EQ((QStringList{s.LanguageMode, s.ComPort, s.Rate}), Words("1 3 2"));
    ASSERT_TRUE(s.P_SetIniAutoSave(u"1"_qs));
    EXPECT_EQ(readIni(),
              QByteArray("[LANGUAGE]\rMode=1\r[RS232C]\rComPort=3\rRate=2\rAutoSave=1\r"));
}

TEST_F(SettingsTest, OversizedFileIsNotReadNorRewritten) {
    const QByteArray huge = "[RS232C]\nComPort=3\n" + QByteArray(2 * 1024 * 1024, ';');
    writeIni(huge);
    Settings s;
    s.ReadSettings(m_dir.path()); // read as an empty file: every key its default
    EXPECT_EQ(s.ComPort, u"1"_qs);
    EXPECT_FALSE(s.P_SetIniAutoSave(u"1"_qs));
    EXPECT_EQ(readIni().size(), huge.size());
}

TEST_F(SettingsTest, WrittenValueCannotForgeAnotherLine) {
    ASSERT_TRUE(read("[RS232C]\nAutoSave=0\n").P_SetIniAutoSave(u"1\n[SOFT]\nMode=1"_qs));
    EXPECT_EQ(readIni(), QByteArray("[RS232C]\nAutoSave=1[SOFT]Mode=1\n"));
    const Settings again = read(); // AutoSave is not a number: its default
    EXPECT_EQ((QStringList{again.SoftMode, again.AutoSave}), Words("0 0"));
}
