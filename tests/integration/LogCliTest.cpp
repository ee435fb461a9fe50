// zelctl log decode on saved traffic logs, good and bad.
#include "ZelctlTest.h"

using namespace zel::test;

class LogCliTest : public ZelctlTest {};

TEST_F(LogCliTest, PrintsUnitDataAndMeaningOfEveryEntry) {
    const QString file = path("site.log");
    ASSERT_TRUE(writeBytes(file, ": recorded at the gate\r\n"
                                 "HOST1:\tFE0D00300120093C3C080814FFFF\r\n"
                                 "CAMERA3:\t06\r\n"
                                 "\r\n"
                                 "HOST1:\tFE0B003101B1030120A9FFFF\r\n"
                                 "CAMERA3:\t00\r\n"
                                 "CAMERA3:\tFD0612\r\n"));
    EXPECT_TRUE(Ended(run(Words("log decode") << file), 0, "",
                      "HOST1\tFE0D00300120093C3C080814FFFF\tCAM 3 ← REMOTE 1: pan left, tilt "
                      "up, speeds 60/60/8/8\n"
                      "CAMERA3\t06\tACK\n"
                      "HOST1\tFE0B003101B1030120A9FFFF\tCAM 3 ← REMOTE 1: title read "
                      "POSITION 12\n"
                      "CAMERA3\t00\tBUSY\n"
                      "CAMERA3\tFD0612\tnot a frame\n"));
}

TEST_F(LogCliTest, BadFilesEndWithTheReasonAndExitOne) {
    ASSERT_TRUE(writeBytes(path("empty.log"), ""));
    ASSERT_TRUE(writeBytes(path("utf8.log"), "HOST1:\t\xE2\x86\x90\r\n"));
    ASSERT_TRUE(
        writeBytes(path("long.log"), "HOST1:\t" + QByteArray(600, 'A') + "\r\nCAMERA1:\t06\r\n"));
    expectRuns({
        {"log decode /dev/zero", 1, "not a regular file", ""},
        {"log decode @", 1, "not a regular file", ""},
        {"log decode @empty.log", 1, "holds no log entries", ""},
        {"log decode @utf8.log", 1, "not a Japanese", ""},
        // An over-long line asks whether to read on; the answer No stops the reading.
        {"log decode @long.log", 1, "Keep file reading ?"},
        {"log show @long.log", 2},
        {"log decode", 2},
    });
}
