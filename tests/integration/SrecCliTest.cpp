// zelctl srec: images written for each window, the --info summary, and bad input.
#include "FileSizeLimit.h"
#include "SRecordMaker.h"
#include "TestFiles.h"
#include "ZelctlTest.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

using namespace zel::test;
using zel::sim::MakeSRecordLine;
using zel::sim::MakeSRecords;

namespace {

class SrecCliTest : public ZelctlTest {
protected:
    ProgramRun srec(const QStringList& args) {
        return run(QStringList{QStringLiteral("srec")} + args);
    }
};

TEST_F(SrecCliTest, WritesTheImageOfEachWindow) {
    const QByteArray boot(300, '\x5A');
    ASSERT_TRUE(writeBytes(path("boot.mot"), MakeSRecords(0xFFE400, boot)));
    const ProgramRun slave =
        srec({path("boot.mot"), QStringLiteral("--window"), QStringLiteral("boot-slave"),
              QStringLiteral("-o"), path("b.bin")});
    EXPECT_EQ(slave.exitCode, 0) << slave.err.toStdString();
    const QByteArray expected = QByteArray("\x08\x00", 2) + boot + QByteArray(2048 - 300, '\xFF');
    EXPECT_EQ(readBytes(path("b.bin")), expected);

    const QByteArray app(0x1234, '\x10');
    ASSERT_TRUE(writeBytes(path("app.mot"), MakeSRecords(0x100, app)));
    const ProgramRun whole = srec({path("app.mot"), QStringLiteral("-o"), path("a.bin")});
    EXPECT_EQ(whole.exitCode, 0) << whole.err.toStdString();
    EXPECT_EQ(whole.out, path("a.bin") + QStringLiteral(": 262144 bytes\n"));
    const QByteArray image = readBytes(path("a.bin"));
    ASSERT_EQ(image.size(), 0x40000);
    EXPECT_EQ(image.mid(0x100, app.size()), app);
    EXPECT_EQ(image.count('\xFF'), 0x40000 - app.size());
}

TEST_F(SrecCliTest, InfoCountsRecordsAndRanges) {
    const QByteArray text = MakeSRecords(0xFFC000, QByteArray(64, 1)) +
                            MakeSRecordLine(2, 0xFFC100, QByteArray(16, 2)) + "\n";
    ASSERT_TRUE(writeBytes(path("x.mot"), text));
    const ProgramRun info = srec({path("x.mot"), QStringLiteral("--info")});
    EXPECT_EQ(info.exitCode, 0);
    EXPECT_EQ(info.out, QStringLiteral("records S0: 1\nrecords S2: 3\nrecords S8: 1\n"
                                       "range 0xFFC000-0xFFC03F\nrange 0xFFC100-0xFFC10F\n"
                                       "converts into boot-master: yes\n"
                                       "converts into boot-slave: no\nconverts into app: no\n"));
    EXPECT_FALSE(QFile::exists(path("x.bin")));
}

TEST_F(SrecCliTest, FailuresGiveTheirMessageAndKeepTheOutput) {
    ASSERT_TRUE(writeBytes(path("old.bin"), "old"));
    ASSERT_TRUE(writeBytes(path("empty.mot"), ""));
    ASSERT_TRUE(writeBytes(path("far.mot"), MakeSRecords(0x40000, QByteArray(4, 1))));
#ifdef Q_OS_UNIX
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo.mot")).constData(), 0600), 0);
#endif
    struct Case {
        QStringList args;
        const char* message;
    };
    const QString out = path("old.bin");
    const QList<Case> cases{
        {{path("none.mot"), QStringLiteral("-o"), out}, "No application program exists."},
        {{path("empty.mot"), QStringLiteral("-o"), out}, "No application program exists."},
        {{path("far.mot"), QStringLiteral("-o"), out}, "Application program reads error"},
        {{path("far.mot"), QStringLiteral("--window=boot-master"), QStringLiteral("-o"), out},
         "Control program for writing reads error"},
        {{path("none.mot"), QStringLiteral("--window"), QStringLiteral("boot-slave"),
          QStringLiteral("-o"), out},
         "No control program for writing exists."},
        {Words("/dev/zero -o") << out, "not a regular file"},
#ifdef Q_OS_UNIX
        {{path("fifo.mot"), QStringLiteral("--info")}, "not a regular file"},
#endif
    };
    for (const Case& c : cases) {
        const ProgramRun result = srec(c.args);
        EXPECT_EQ(result.exitCode, 1) << c.message;
        EXPECT_TRUE(result.err.contains(QString::fromLatin1(c.message)))
            << result.err.toStdString();
    }
    EXPECT_EQ(readBytes(out), QByteArray("old"));

    // Usage errors.
    for (const QStringList& args :
         {QStringList{}, QStringList{path("far.mot")},
          QStringList{path("far.mot"), QStringLiteral("--info"), QStringLiteral("-o"), out},
          QStringList{path("far.mot"), QStringLiteral("--window"), QStringLiteral("boot"),
                      QStringLiteral("--info")},
          QStringList{path("far.mot"), QStringLiteral("-o")}}) {
        EXPECT_EQ(srec(args).exitCode, 2) << args.join(QLatin1Char(' ')).toStdString();
    }
    // An output that cannot be written.
    ASSERT_TRUE(writeBytes(path("ok.mot"), MakeSRecords(0, QByteArray(4, 1))));
    const ProgramRun toFolder = srec({path("ok.mot"), QStringLiteral("-o"), dir.path()});
    EXPECT_EQ(toFolder.exitCode, 1);
    EXPECT_TRUE(toFolder.err.contains(QStringLiteral("is a folder"))) << toFolder.err.toStdString();
#ifdef Q_OS_UNIX
    // A FIFO stays a FIFO, and the source is never written over by its own image.
    const ProgramRun toFifo = srec({path("ok.mot"), QStringLiteral("-o"), path("fifo.mot")});
    EXPECT_EQ(toFifo.exitCode, 1);
    EXPECT_TRUE(toFifo.err.contains(QStringLiteral("is not a regular file")))
        << toFifo.err.toStdString();
    EXPECT_FALSE(QFileInfo(path("fifo.mot")).isFile());
#endif
    {
        FileSizeLimit disk(4096); // the 256 KiB image cannot be written whole
        ASSERT_TRUE(disk.active());
        EXPECT_EQ(srec({path("ok.mot"), QStringLiteral("-o"), out}).exitCode, 1);
    }
    EXPECT_EQ(readBytes(out), QByteArray("old"));
    const QByteArray source = readBytes(path("ok.mot"));
    EXPECT_EQ(srec({path("ok.mot"), QStringLiteral("-o"), path("./ok.mot")}).exitCode, 2);
    EXPECT_EQ(readBytes(path("ok.mot")), source);
}

} // namespace
