// zelctl srec: images written for each window, the --info summary, and bad input.
#include "FileSizeLimit.h"
#include "SRecordMaker.h"
#include "ZelctlTest.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace zel::test;
using zel::sim::MakeSRecordLine;
using zel::sim::MakeSRecords;

class SrecCliTest : public ZelctlTest {
protected:
    ProgramRun srec(const QStringList& args) { return run(QStringList{u"srec"_qs} + args); }
};

TEST_F(SrecCliTest, WritesTheImageOfEachWindow) {
    const QByteArray boot(300, '\x5A');
    ASSERT_TRUE(writeBytes(path("boot.mot"), MakeSRecords(0xFFE400, boot)));
    EXPECT_TRUE(Succeeded(srec(cmd("@boot.mot --window boot-slave -o @b.bin"))));
    const QByteArray expected = QByteArray("\x08\x00", 2) + boot + QByteArray(2048 - 300, '\xFF');
    EXPECT_EQ(readBytes(path("b.bin")), expected);

    const QByteArray app(0x1234, '\x10');
    ASSERT_TRUE(writeBytes(path("app.mot"), MakeSRecords(0x100, app)));
    EXPECT_TRUE(Succeeded(srec(cmd("@app.mot -o @a.bin")), path("a.bin") + u": 262144 bytes\n"_qs));
    const QByteArray image = readBytes(path("a.bin"));
    ASSERT_EQ(image.size(), 0x40000);
    EXPECT_EQ(image.mid(0x100, app.size()), app);
    EXPECT_EQ(image.count('\xFF'), 0x40000 - app.size());
}

TEST_F(SrecCliTest, InfoCountsRecordsAndRanges) {
    const QByteArray text = MakeSRecords(0xFFC000, QByteArray(64, 1)) +
                            MakeSRecordLine(2, 0xFFC100, QByteArray(16, 2)) + "\n";
    ASSERT_TRUE(writeBytes(path("x.mot"), text));
    EXPECT_TRUE(Ended(srec(cmd("@x.mot --info")), 0, "",
                      "records S0: 1\nrecords S2: 3\nrecords S8: 1\n"
                      "range 0xFFC000-0xFFC03F\nrange 0xFFC100-0xFFC10F\n"
                      "converts into boot-master: yes\n"
                      "converts into boot-slave: no\nconverts into app: no\n"));
    EXPECT_FALSE(QFile::exists(path("x.bin")));
}

TEST_F(SrecCliTest, FailuresGiveTheirMessageAndKeepTheOutput) {
    ASSERT_TRUE(writeBytes(path("old.bin"), "old"));
    ASSERT_TRUE(writeBytes(path("empty.mot"), ""));
    ASSERT_TRUE(writeBytes(path("far.mot"), MakeSRecords(0x40000, QByteArray(4, 1))));
    ASSERT_TRUE(writeBytes(path("ok.mot"), MakeSRecords(0, QByteArray(4, 1))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.mot")).constData(), 0600), 0);
    expectRuns({
        {"srec @empty.mot -o @old.bin", 1, "No application program exists."},
        {"srec @far.mot -o @old.bin", 1, "Application program reads error"},
        {"srec @far.mot --window=boot-master -o @old.bin", 1,
         "Control program for writing reads error"},
        {"srec @none.mot --window boot-slave -o @old.bin", 1,
         "No control program for writing exists."},
        {"srec /dev/zero -o @old.bin", 1, "not a regular file"},
        {"srec @fifo.mot --info", 1, "not a regular file"},
        {"srec", 2},
        {"srec @far.mot", 2},
        {"srec @far.mot --info -o @old.bin", 2},
        {"srec @far.mot --window boot --info", 2},
        {"srec @far.mot -o", 2},
        {"srec @ok.mot -o @", 1, "is a folder"},
        // A FIFO stays a FIFO.
        {"srec @ok.mot -o @fifo.mot", 1, "is not a regular file"},
        // The source is never written over by its own image.
        {"srec @ok.mot -o @./ok.mot", 2},
    });
    const QString out = path("old.bin");
    EXPECT_EQ(readBytes(out), QByteArray("old"));
    EXPECT_EQ(readBytes(path("ok.mot")), MakeSRecords(0, QByteArray(4, 1)));
    EXPECT_FALSE(QFileInfo(path("fifo.mot")).isFile());
    {
        FileSizeLimit disk(4096); // the 256 KiB image cannot be written whole
        ASSERT_TRUE(disk.active());
        EXPECT_EQ(srec(cmd("@ok.mot -o @old.bin")).exitCode, 1);
    }
    EXPECT_EQ(readBytes(out), QByteArray("old"));
}
