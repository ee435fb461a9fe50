// zelctl's progress with stderr a terminal: one line per phase redrawn in place, counting its
// own unit, ending at its total; nothing drawn before a phase knows its total.
#include "TestFiles.h"
#include "TextHolds.h"
#include "TrfText.h"
#include "ZelctlTest.h"
#include "common/Cp932.h"

#include <QRegularExpression>
#include <QStandardPaths>

using namespace zel::test;

namespace {

constexpr int kRunTimeoutMs = 60000;

class ProgressCliTest : public ZelctlTest {
protected:
    void SetUp() override {
        ZelctlTest::SetUp();
        script = QStandardPaths::findExecutable(QStringLiteral("script"));
        if (script.isEmpty())
            GTEST_SKIP() << "script(1) is not installed";
        if (!IsSkipped())
            startSimulator();
    }
    // zelctl under script(1): its stdout and stderr are a pseudo-terminal, merged.
    ProgramRun runOnTerminal(const QStringList& args) {
        const QStringList words = QStringList{program, QStringLiteral("--folder"), dir.path(),
                                              QStringLiteral("--port"), simulator->slavePath()} +
                                  args;
        return RunProgram(script,
                          Words("-qec") << words.join(QLatin1Char(' ')) << Words("/dev/null"),
                          kRunTimeoutMs);
    }

    // Each line of the progress: the last state drawn on it.
    static QStringList lastFrames(const QString& out) {
        QStringList frames;
        for (const QString& line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (!line.contains(QLatin1Char('[')))
                continue;
            QString last = line.section(QLatin1Char('\r'), -1).trimmed();
            if (last.isEmpty())
                last = line.section(QLatin1Char('\r'), -2, -2).trimmed();
            frames.append(last.remove(QStringLiteral("\x1b[K")));
        }
        return frames;
    }

    QString script;
};

TEST_F(ProgressCliTest, TitlesCountTitlesOnOneLineThatEndsFull) {
    const ProgramRun down = runOnTerminal(cmd("titles download --camera 1 --remote 1 @t.ttl"));
    ASSERT_EQ(down.exitCode, 0) << down.out.toStdString();
    EXPECT_TRUE(down.out.contains(QLatin1Char('\r'))) << "redrawn in place on a terminal";
    const QStringList frames = lastFrames(down.out);
    ASSERT_FALSE(frames.isEmpty()) << down.out.toStdString();
    static const QRegularExpression full(QStringLiteral("100%  (\\d+)/\\1 titles, "));
    for (const QString& frame : frames) {
        EXPECT_TRUE(full.match(frame).hasMatch()) << frame.toStdString();
        EXPECT_FALSE(Holds(frame, "blocks"));
    }
}

TEST_F(ProgressCliTest, AnUploadAndItsVerificationEachEndAtTheWholeImage) {
    const QString file = path("up.bin");
    ASSERT_TRUE(writeBytes(file, QByteArray(32000, char(0x5A))));
    const ProgramRun up = runOnTerminal(Words("backup upload --camera 1 --remote 1") << file);
    ASSERT_EQ(up.exitCode, 0) << up.out.toStdString();
    const QStringList frames = lastFrames(up.out);
    ASSERT_EQ(frames.size(), 2) << up.out.toStdString();
    EXPECT_TRUE(frames[0].startsWith(QStringLiteral("In UPLOAD [")));
    EXPECT_TRUE(frames[1].startsWith(QStringLiteral("In verification [")));
    for (const QString& frame : frames)
        EXPECT_TRUE(Holds(frame, "100%  1000/1000 blocks, "));
    // A line is drawn again only when what it says changes.
    EXPECT_LT(up.out.count(QLatin1Char('\r')), 400);
}

// A test run counts the rows it sends: redrawn under the row lines on a terminal, plain lines
// in a log, both ending at the rows of all rounds.
TEST_F(ProgressCliTest, ATestRunCountsItsRowsOnATerminalAndInALog) {
    const QString trf = path("loop.trf");
    ASSERT_TRUE(writeBytes(
        trf, zel::TextToCp932(settingLines("1", "1", "1") +
                              rowLines({QStringLiteral("W\t2000\t"), QStringLiteral("R\t15\t")}))
                 .value()));
    const QStringList args = Words("test run") << trf << Words("--rounds 30");
    const ProgramRun onTerminal = runOnTerminal(args);
    ASSERT_EQ(onTerminal.exitCode, 0) << onTerminal.out.toStdString();
    const QStringList frames = lastFrames(onTerminal.out);
    ASSERT_FALSE(frames.isEmpty()) << onTerminal.out.toStdString();
    EXPECT_TRUE(frames.last().startsWith(QStringLiteral("Sending rows [")));
    EXPECT_TRUE(frames.last().contains(QStringLiteral("100%  60/60 rows, ")))
        << frames.last().toStdString();
    // Each row line stands alone: the bar is cleared before it, not written over or beside.
    int rowLines = 0;
    for (QString line : onTerminal.out.split(QLatin1Char('\n'))) {
        if (!line.contains(QStringLiteral("\tW\t2000\tACK")))
            continue;
        ++rowLines;
        line.chop(line.endsWith(QLatin1Char('\r')) ? 1 : 0);
        EXPECT_EQ(line.section(QLatin1Char('\r'), -1).remove(QStringLiteral("\x1b[K")),
                  QStringLiteral("1\tW\t2000\tACK"));
    }
    EXPECT_EQ(rowLines, 30);

    const ProgramRun inLog = run(args);
    ASSERT_EQ(inLog.exitCode, 0) << inLog.err.toStdString();
    EXPECT_EQ(inLog.out.count(QLatin1Char('\n')), 60);
    EXPECT_FALSE(inLog.err.contains(QLatin1Char('\r')));
    EXPECT_TRUE(StartsWith(inLog.err, "Sending rows: "));
    EXPECT_TRUE(Holds(inLog.err, "Sending rows: 60/60 rows, "));
}

} // namespace
