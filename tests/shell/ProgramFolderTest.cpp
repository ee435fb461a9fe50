#include "shell/ProgramFolder.h"
#include "MistakenTargets.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

class ProgramFolderTest : public ::testing::Test {
protected:
    QString user() const { return home.filePath(u"config/zel"_qs); }
    QString defaults() const { return packaged.path(); }

    QTemporaryDir home;
    QTemporaryDir packaged;
    QTemporaryDir program;
};

TEST_F(ProgramFolderTest, AWritableProgramFolderIsUsedAsItIs) {
    const ProgramFolderChoice choice = ProgramFolder::choose(program.path(), user(), {defaults()});
    EXPECT_EQ(std::tuple(choice.folder, choice.perUser), std::tuple(program.path(), false));
    EXPECT_FALSE(QDir(user()).exists()); // nothing made for the user
    EXPECT_TRUE(QDir(program.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(ProgramFolderTest, AReadOnlyFolderFallsBackToTheUserFolderSeededOnce) {
    ASSERT_TRUE(writeBytes(packaged.filePath(u"zel.ini"_qs), "[SOFT]\r\nMode=0\r\n"));
    ASSERT_TRUE(writeBytes(packaged.filePath(u"ZARNIPEX2633.MOT"_qs), "S0\r\n"));
    ASSERT_TRUE(writeBytes(packaged.filePath(u"notes.txt"_qs), "not a start file"));
    const QString installed = ReadOnlyFolder(program.path());
    const ProgramFolderChoice first = ProgramFolder::choose(installed, user(), {defaults()});
    EXPECT_EQ(std::tuple(first.folder, first.perUser, first.seeded.size()),
              std::tuple(user(), true, 2));
    EXPECT_EQ(readBytes(user() + u"/zel.ini"_qs), QByteArray("[SOFT]\r\nMode=0\r\n"));
    EXPECT_FALSE(QFile::exists(user() + u"/notes.txt"_qs));

    // The user's own settings are kept on later starts, never overwritten by the defaults.
    ASSERT_TRUE(writeBytes(user() + u"/zel.ini"_qs, "[SOFT]\r\nMode=1\r\n"));
    EXPECT_TRUE(ProgramFolder::choose(installed, user(), {defaults()}).seeded.isEmpty());
    EXPECT_EQ(readBytes(user() + u"/zel.ini"_qs), QByteArray("[SOFT]\r\nMode=1\r\n"));
}

TEST_F(ProgramFolderTest, NothingToSeedAndNoWritableFolder) {
    const QString installed = ReadOnlyFolder(program.path());
    // No defaults anywhere: the user folder is used, empty (the start then reports message 15).
    const ProgramFolderChoice bare =
        ProgramFolder::choose(installed, user(), {home.filePath(u"none"_qs)});
    EXPECT_EQ(std::tuple(bare.perUser, bare.seeded.size()), std::tuple(true, 0));
    // A user folder that cannot be made either: the program folder stays, with the reason.
    const ProgramFolderChoice stuck =
        ProgramFolder::choose(installed, u"/proc/self/zel"_qs, {defaults()});
    EXPECT_EQ(std::pair(stuck.folder, stuck.problem.isEmpty()), std::pair(installed, false));
}
