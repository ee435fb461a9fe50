// zelctl's progress with stderr a terminal: one line per phase redrawn in place, counting its
// own unit, ending at its total; nothing drawn before a phase knows its total.
#include "TrfText.h"
#include "ZelctlTest.h"
#include "common/Cp932.h"

#include <QRegularExpression>
#include <QStandardPaths>

using namespace zel::test;

constexpr int kRunTimeoutMs = 60000;

class ProgressCliTest : public ZelctlTest {
protected:
    void prepare() override {
        script = QStandardPaths::findExecutable(u"script"_qs);
        if (script.isEmpty())
            GTEST_SKIP() << "script(1) is not installed";
        startSimulator();
    }
    // zelctl under script(1): its stdout and stderr are a pseudo-terminal, merged.
    ProgramRun runOnTerminal(const QStringList& args) {
        const QStringList words =
            QStringList{program, u"--folder"_qs, dir.path(), u"--port"_qs, simulator->slavePath()} +
            args;
        return RunProgram(script, Words("-qec") << words.join(u' ') << Words("/dev/null"),
                          kRunTimeoutMs);
    }

    // Each line of the progress: the last state drawn on it.
    static QStringList lastFrames(const QString& out) {
        QStringList frames;
        for (const QString& line : out.split(u'\n', Qt::SkipEmptyParts)) {
            if (!line.contains(u'['))
                continue;
            QString last = line.section(u'\r', -1).trimmed();
            if (last.isEmpty())
                last = line.section(u'\r', -2, -2).trimmed();
            frames.append(last.remove(u"\x1b[K"_qs));
        }
        return frames;
    }

    QString script;
};

TEST_F(ProgressCliTest, TitlesCountTitlesOnOneLineThatEndsFull) {
    const ProgramRun down = runOnTerminal(cmd("titles download --camera 1 --remote 1 @t.ttl"));
    ASSERT_EQ(down.exitCode, 0) << down.out.toStdString();
    EXPECT_TRUE(down.out.contains(u'\r')) << "redrawn in place on a terminal";
    const QStringList frames = lastFrames(down.out);
    ASSERT_FALSE(frames.isEmpty()) << down.out.toStdString();
    static const QRegularExpression full(u"100%  (\\d+)/\\1 titles, "_qs);
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
    EXPECT_TRUE(frames[0].startsWith(u"In UPLOAD ["_qs));
    EXPECT_TRUE(frames[1].startsWith(u"In verification ["_qs));
    for (const QString& frame : frames)
        EXPECT_TRUE(Holds(frame, "100%  1000/1000 blocks, "));
    // A line is drawn again only when what it says changes.
    EXPECT_LT(up.out.count(u'\r'), 400);
}

// A test run counts the rows it sends: redrawn under the row lines on a terminal, plain lines
// in a log, both ending at the rows of all rounds.
TEST_F(ProgressCliTest, ATestRunCountsItsRowsOnATerminalAndInALog) {
    const QString trf = path("loop.trf");
    ASSERT_TRUE(writeBytes(trf, zel::TextToCp932(settingLines("1", "1", "1") +
                                                 rowLines({u"W\t2000\t"_qs, u"R\t15\t"_qs}))
                                    .value()));
    const QStringList args = Words("test run") << trf << Words("--rounds 30");
    const ProgramRun onTerminal = runOnTerminal(args);
    ASSERT_EQ(onTerminal.exitCode, 0) << onTerminal.out.toStdString();
    const QStringList frames = lastFrames(onTerminal.out);
    ASSERT_FALSE(frames.isEmpty()) << onTerminal.out.toStdString();
    EXPECT_TRUE(frames.last().startsWith(u"Sending rows ["_qs));
    EXPECT_TRUE(frames.last().contains(u"100%  60/60 rows, "_qs)) << frames.last().toStdString();
    // Each row line stands alone: the bar is cleared before it, not written over or beside.
    int rowLines = 0;
    for (QString line : onTerminal.out.split(u'\n')) {
        if (!line.contains(u"\tW\t2000\tACK"_qs))
            continue;
        ++rowLines;
        line.chop(line.endsWith(u'\r') ? 1 : 0);
        EXPECT_EQ(line.section(u'\r', -1).remove(u"\x1b[K"_qs), u"1\tW\t2000\tACK"_qs);
    }
    EXPECT_EQ(rowLines, 30);

    const ProgramRun inLog = run(args);
    ASSERT_TRUE(Ended(inLog, 0, "Sending rows: 60/60 rows, "));
    EXPECT_EQ(inLog.out.count(u'\n'), 60);
    EXPECT_FALSE(inLog.err.contains(u'\r'));
    EXPECT_TRUE(StartsWith(inLog.err, "Sending rows: "));
}
