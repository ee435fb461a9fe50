// The output-path rule on the places people pass by mistake: the input itself (by another
// name too), a FIFO, a device node, a folder, a folder that does not exist or takes no file.
#include "common/OutputPath.h"
#include "MistakenTargets.h"
#include "TestFiles.h"
#include "common/SuggestedFileName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zel;
using zel::test::ReadOnlyFolder;
using zel::test::writeBytes;

class OutputPathTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(writeBytes(input, "send data"));
    }
    QString at(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

    QTemporaryDir dir;
    QString input = at("in.trf");
};

TEST_F(OutputPathTest, RefusesWhatCannotTakeTheFile) {
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("fifo")).constData(), 0600), 0);
    ASSERT_TRUE(QDir().mkpath(at("folder")));
    ASSERT_TRUE(QFile::link(at("nowhere/x"), at("dangling")));
    const QList<std::pair<QString, OutputProblem>> cases{
        {at("fifo"), OutputProblem::NotRegular},
        {u"/dev/null"_qs, OutputProblem::NotRegular},
        {at("folder"), OutputProblem::IsFolder},
        {at("missing/out.rsl"), OutputProblem::FolderMissing},
        {input + u"/out.rsl"_qs, OutputProblem::FolderMissing}, // a file as folder
        {at("dangling"), OutputProblem::FolderMissing},
        {ReadOnlyFolder(dir.path()) + u"/out.rsl"_qs, OutputProblem::FolderNotWritable},
    };
    for (const auto& [path, problem] : cases) {
        SCOPED_TRACE(path.toStdString());
        const OutputCheck check = CheckOutputPath(path, {input});
        EXPECT_EQ(std::tuple(check.problem, check.isUsageMistake()), std::tuple(problem, false));
        EXPECT_TRUE(OutputProblemLine(path, check, 0).startsWith(path + u": "_qs));
    }
    // Nothing was created or replaced by the checks.
    struct stat fifo = {};
    ASSERT_EQ(::stat(QFile::encodeName(at("fifo")).constData(), &fifo), 0);
    EXPECT_TRUE(S_ISFIFO(fifo.st_mode));
}

TEST_F(OutputPathTest, TheInputUnderAnyNameIsAUsageMistake) {
    ASSERT_TRUE(QDir().mkpath(at("sub")));
    ASSERT_TRUE(QFile::link(input, at("link.rsl")));
    ASSERT_EQ(
        ::link(QFile::encodeName(input).constData(), QFile::encodeName(at("hard")).constData()), 0);
    for (const QString& same :
         {input, at("sub/../in.trf"), at("./in.trf"), at("link.rsl"), at("hard")}) {
        const OutputCheck check = CheckOutputPath(same, {u"elsewhere"_qs, input});
        EXPECT_EQ(check.problem, OutputProblem::NamesInput) << same.toStdString();
        EXPECT_TRUE(check.isUsageMistake());
    }
    EXPECT_EQ(OutputProblemText(CheckOutputPath(input, {input}), 0), u"names an input file"_qs);
}

TEST_F(OutputPathTest, NewAndReplaceableFilesPass) {
    ASSERT_TRUE(writeBytes(at("old.rsl"), "old"));
    ASSERT_TRUE(QFile::link(at("target.rsl"), at("to-new.rsl"))); // a link to a file to come
    for (const QString& fine : {at("new.rsl"), at("old.rsl"), at("to-new.rsl")})
        EXPECT_TRUE(CheckOutputPath(fine, {input}).ok()) << fine.toStdString();
    EXPECT_TRUE(CheckOutputPath(at("new.rsl")).ok());
}

// The names save dialogs propose.
TEST(SuggestedFileNameTest, CameraNumberInThreeDigitsOrNoneAndLogsByDay) {
    const QList<std::pair<const char*, const char*>> cases{
        {"1", "cam001.bin"}, {"0", "cam000.bin"}, {"255", "cam255.bin"}, {" 42 ", "cam042.bin"},
        {"256", "cam.bin"},  {"-1", "cam.bin"},   {"", "cam.bin"},       {"1a", "cam.bin"},
    };
    for (const auto& [number, name] : cases)
        EXPECT_EQ(cameraFileName(QString::fromLatin1(number), u"bin"_qs), QString::fromLatin1(name))
            << number;
    EXPECT_EQ(cameraFileName(u"7"_qs, u"ttl"_qs), u"cam007.ttl");
    EXPECT_EQ(datedFileName(QDate(2026, 12, 6), u"log"_qs), u"2026-12-06.log"); // logs by day
}
