// An installed program's folder cannot be written: settings come from the per-user folder,
// filled from the packaged defaults on the first start.
#include "ProgramRun.h"
#include "TestFiles.h"
#include "TextHolds.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace zel::test;

TEST(ProgramFolderCli, AReadOnlyFolderFallsBackToTheUserFolder) {
    const QString zelctl = BuiltProgram(u"zelctl"_qs);
    if (!QFile::exists(zelctl))
        GTEST_SKIP() << "zelctl is not built";
    QTemporaryDir config;
    QTemporaryDir locked;
    QString readOnly = locked.path();
    if (geteuid() == 0)
        readOnly = u"/proc/self"_qs; // refuses new files even to root
    else
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    const ProgramRun first = RunProgram(zelctl, {u"--folder"_qs, readOnly, u"settings"_qs}, 30000);
    // The user edits the copy; the next run reads the edit.
    const QString userIni = config.filePath(u"zel/zel.ini"_qs);
    const QByteArray seeded = readBytes(userIni);
    writeBytes(userIni, QByteArray(seeded).replace("TimeOutWait=500", "TimeOutWait=1500"));
    const ProgramRun second = RunProgram(zelctl, {u"--folder"_qs, readOnly, u"settings"_qs}, 30000);
    qputenv("XDG_CONFIG_HOME", oldConfig);
    QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_TRUE(seeded.contains("TimeOutWait=500")) << seeded.constData(); // the packaged file
    EXPECT_TRUE(Holds(first.out, "500"));
    EXPECT_TRUE(Holds(second.out, "1500"));
}
