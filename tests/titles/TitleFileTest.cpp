#include "RecordingSink.h"
#include "TestFiles.h"
#include "common/MessageNumber.h"
#include "common/TextFile.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFileWriter.h"
#include "titles/TitleFiles.h"
#include "titles/TitleSlots.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zel;
using zel::test::readBytes;
using zel::test::RecordingSink;
using zel::test::writeBytes;

namespace {

constexpr int kKeepReading = 1;
constexpr int kSaveInEdit = 19;
constexpr int kAlreadyOpened = 23;
constexpr int kCannotSave = 24;

void writeLines(const QString& path, const QStringList& lines) {
    ASSERT_TRUE(WriteTextFile(path, lines));
}

TitleDocument sampleDocument(bool japanese) {
    TitleDocument document;
    document.RemoteNo = QStringLiteral("12");
    document.CameraNo = QStringLiteral("200");
    for (int category = 0; category < kTitleCategoryCount; ++category)
        for (int number = 1; number <= TitleCategoryAt(category).titleCount; ++number)
            document.setTitle(category, number,
                              japanese ? QStringLiteral("カメラ%1").arg(number)
                                       : QStringLiteral("C%1-%2").arg(category).arg(number));
    document.setTitle(CategoryPosition, 7,
                      japanese ? QStringLiteral("\u3000ｶ｛０２４｝") : QStringLiteral("{024}x"));
    return document;
}

class TitleFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString fileWith(const char* name, const QByteArray& bytes) {
        const QString file = path(QString::fromLatin1(name));
        EXPECT_TRUE(writeBytes(file, bytes));
        return file;
    }
    TitleFiles files(TitleDocument& document, int slot = 0) {
        return TitleFiles(m_slots, slot == 0 ? m_slot : slot, document, m_sink, m_language);
    }

    QTemporaryDir m_dir;
    TitleSlots m_slots;
    int m_slot = 1; // the slot the menu handed the window under test
    RecordingSink m_sink;
    LanguageTables m_language;
};

} // namespace

TEST_F(TitleFileTest, WriterLayoutAndLabels) {
    TitleDocument document = sampleDocument(false);
    const QStringList lines = TitleFileLines(document, TitleFileLabelsFor(m_language));
    ASSERT_EQ(lines.size(), 313);
    for (const auto& [index, text] : {std::pair{0, "12:Controller No"},
                                      {1, "200:Camera No"},
                                      {2, "[CAMERA]"},
                                      {4, "[POSITION]"},
                                      {5, "\"C1-1\""},
                                      {260, "[TRACE]"},
                                      {263, "[AUTOPAN]"},
                                      {304, "[AUX]"},
                                      {312, "\"C8-8\""}})
        EXPECT_EQ(lines[index], QString::fromLatin1(text)) << index;
    m_language.setLanguageIndex(1);
    EXPECT_EQ(TitleFileLines(document, TitleFileLabelsFor(m_language))[1],
              QStringLiteral("200:カメラ番号"));
}

TEST_F(TitleFileTest, RoundTripIsByteForByteInBothLanguages) {
    for (const bool japanese : {false, true}) {
        m_language.setLanguageIndex(japanese ? 1 : 0);
        TitleDocument document = sampleDocument(japanese);
        const QString first = path(QStringLiteral("first.ttl"));
        const QString second = path(QStringLiteral("second.ttl"));
        TitleFiles writer = files(document);
        ASSERT_TRUE(writer.saveAs(first));
        writer.close();

        TitleDocument reread;
        // Another window: the writer's closing freed the file for it.
        TitleFiles reader = files(reread, 2);
        ASSERT_EQ(reader.ReadTitleFile(first), TitleOpenResult::Loaded);
        EXPECT_EQ(reread.RemoteNo, QStringLiteral("12"));
        EXPECT_EQ(reread.CameraNo, QStringLiteral("200"));
        EXPECT_EQ(reread.title(CategoryPosition, 7), document.title(CategoryPosition, 7));
        EXPECT_EQ(reread.title(CategoryAux, 8), document.title(CategoryAux, 8));
        ASSERT_TRUE(reader.saveAs(second));
        EXPECT_EQ(readBytes(first), readBytes(second));
        EXPECT_TRUE(readBytes(first).endsWith("\r\n"));
        reader.close();
        EXPECT_TRUE(m_sink.shown.isEmpty());
    }
}

// Half-width blanks at the ends are trimmed, ideographic ones stay; a double quotation mark
// inside a title keeps its code and shifts nothing.
TEST_F(TitleFileTest, BlanksAndQuotesSurviveAsTheTableReadsThem) {
    const TitleCharTable table(0);
    TitleDocument document;
    document.setTitle(CategoryCamera, 1, QStringLiteral("  A B  "));
    document.setTitle(CategoryTrace, 2, QStringLiteral("\u3000X\u3000"));
    document.setTitle(CategoryTour, 3, QStringLiteral("A\"B"));
    const QString file = path(QStringLiteral("blanks.ttl"));
    ASSERT_TRUE(WriteTitleFile(file, document, TitleFileLabelsFor(m_language), m_sink));
    TitleDocument reread;
    ASSERT_EQ(files(reread).ReadTitleFile(file), TitleOpenResult::Loaded);
    EXPECT_EQ(reread.title(CategoryCamera, 1), QStringLiteral("A B"));
    EXPECT_EQ(reread.title(CategoryTrace, 2), QStringLiteral("\u3000X\u3000"));
    TitleCodes before{};
    TitleCodes after{};
    ASSERT_TRUE(table.TitleTextToCodes(document.title(CategoryTour, 3), before));
    ASSERT_TRUE(table.TitleTextToCodes(reread.title(CategoryTour, 3), after));
    EXPECT_EQ(before, after);
    EXPECT_EQ(reread.title(CategoryTour, 4), QString());
    EXPECT_TRUE(table.CheckTitleChars(reread.title(CategoryTour, 3)));
}

TEST_F(TitleFileTest, LenientReaderShortLongMissingAndCommentedSections) {
    QStringList lines{QStringLiteral(": written by hand"),
                      QStringLiteral(" 5 : Controller No"),
                      QString(),
                      QStringLiteral("\t7\t:Camera No"),
                      QStringLiteral("[AUX]"),
                      QStringLiteral("\"aux1\""),
                      QStringLiteral(":comment inside"),
                      QStringLiteral("no quotes here"),
                      QStringLiteral("[TOUR]"), // 16 titles, two lines: ends at the header
                      QStringLiteral("\"t1\""),
                      QStringLiteral("\"t2\""),
                      QStringLiteral("[POSITION]")};
    for (int i = 1; i <= 256; ++i)
        lines.append(QStringLiteral("\"p%1\"").arg(i));
    lines.append({QStringLiteral("[TRACE]"), QStringLiteral("\"t1\"")});
    const QString file = path(QStringLiteral("lenient.ttl"));
    writeLines(file, lines);
    TitleDocument document;
    document.setTitle(CategoryHome, 1, QStringLiteral("old"));
    ASSERT_EQ(files(document).ReadTitleFile(file), TitleOpenResult::Loaded);
    EXPECT_EQ(document.RemoteNo, QStringLiteral("5"));
    EXPECT_EQ(document.CameraNo, QStringLiteral("7"));
    EXPECT_EQ(document.title(CategoryAux, 1), QStringLiteral("aux1"));
    EXPECT_EQ(document.title(CategoryAux, 2), QString()); // no quotes: empty title
    EXPECT_EQ(document.title(CategoryAux, 3), QString());
    EXPECT_EQ(document.title(CategoryTour, 2), QStringLiteral("t2"));
    for (int number = 3; number <= 16; ++number)
        EXPECT_EQ(document.title(CategoryTour, number), QString()) << number;
    EXPECT_EQ(document.title(CategoryPosition, 255), QStringLiteral("p255"));
    EXPECT_EQ(document.title(CategoryTrace, 1), QStringLiteral("t1"));
    EXPECT_EQ(document.title(CategoryTrace, 2), QString());
    EXPECT_EQ(document.title(CategoryHome, 1), QString()); // missing section: emptied
    EXPECT_FALSE(document.TitleModified);
    EXPECT_EQ(m_slots.LastCameraNo, QStringLiteral("7"));
}

TEST_F(TitleFileTest, EachReaderRuleOnItsOwn) {
    // One file per rule, each breaking only that rule.
    const auto read = [&](const char* text) {
        TitleDocument document;
        m_sink.clear();
        m_sink.defaultAnswer = ButtonYes;
        EXPECT_EQ(files(document).ReadTitleFile(fileWith("rule.ttl", text)),
                  TitleOpenResult::Loaded);
        return document;
    };
    // A title needs two double quotation marks.
    TitleDocument doc = read("1\n1\n[AUX]\n\"open\n\"closed\"\n");
    EXPECT_EQ(doc.title(CategoryAux, 1), QString());
    EXPECT_EQ(doc.title(CategoryAux, 2), QStringLiteral("closed"));
    // Section headers are matched in upper case only.
    doc = read("1\n1\n[aux]\n\"lower\"\n[TRACE]\n");
    EXPECT_EQ(doc.title(CategoryAux, 1), QString());
    // A quoted title that looks like a header is a title: the section goes on.
    doc = read("1\n1\n[ALARM]\n\"[1]\"\n\"two\"\n");
    EXPECT_EQ(doc.title(CategoryAlarm, 1), QStringLiteral("[1]"));
    EXPECT_EQ(doc.title(CategoryAlarm, 2), QStringLiteral("two"));
    // TRACE reads two titles; a third line is surplus.
    doc = read("1\n1\n[TRACE]\n\"a\"\n\"b\"\n\"c\"\n");
    EXPECT_EQ(doc.title(CategoryTrace, 2), QStringLiteral("b"));
    EXPECT_TRUE(m_sink.shown.isEmpty());
    // CAMERA No. 0 is refused in a title file (1 to 255), REMOTE No. 99 is not.
    doc = read("99\n0\n[CAMERA]\n\"c\"\n");
    EXPECT_EQ(m_sink.numbers(), QList<int>{kKeepReading});
    EXPECT_EQ(m_sink.shown.value(0).extra, QStringLiteral("CAMERA No. incorrect"));
    EXPECT_EQ(doc.RemoteNo, QStringLiteral("99"));
    EXPECT_EQ(doc.CameraNo, QStringLiteral("1"));
    // A number with a point is not a whole number.
    doc = read("5.0\n255\n[TRACE]\n");
    EXPECT_EQ(m_sink.shown.value(0).extra, QStringLiteral("REMOTE No. incorrect"));
    EXPECT_EQ(doc.CameraNo, QStringLiteral("255"));
}

TEST_F(TitleFileTest, WrongNumbersAskToKeepReading) {
    const QString file = fileWith("nonumbers.ttl", "[CAMERA]\r\n\"cam\"\r\n[TRACE]\r\n\"t\"\r\n");
    TitleDocument document;
    m_sink.answers = {ButtonYes, ButtonYes};
    ASSERT_EQ(files(document).ReadTitleFile(file), TitleOpenResult::Loaded);
    ASSERT_EQ(m_sink.numbers(), (QList<int>{kKeepReading, kKeepReading}));
    EXPECT_EQ(m_sink.shown[0].extra, QStringLiteral("REMOTE No. incorrect"));
    EXPECT_EQ(m_sink.shown[1].extra, QStringLiteral("CAMERA No. incorrect"));
    EXPECT_EQ(document.RemoteNo, QStringLiteral("1"));
    EXPECT_EQ(document.title(CategoryCamera, 1), QStringLiteral("cam"));

    m_sink.clear();
    m_sink.answers = {ButtonNo};
    const QString wrong = fileWith("wrong.ttl", "100\r\n3\r\n[CAMERA]\r\n\"cam\"\r\n");
    ASSERT_EQ(files(document).ReadTitleFile(wrong), TitleOpenResult::Stopped);
    EXPECT_EQ(m_sink.numbers(), QList<int>{kKeepReading});
    EXPECT_EQ(document.title(CategoryCamera, 1), QString());
    EXPECT_TRUE(m_slots.LastCameraNo.isEmpty());
}

TEST_F(TitleFileTest, OpenRefusesLongPathsAndFilesOpenElsewhere) {
    TitleDocument document;
    document.setTitle(CategoryCamera, 1, QStringLiteral("kept"));
    const QString longPath = QStringLiteral("/tmp/") + QString(124, QLatin1Char('x'));
    ASSERT_EQ(longPath.size(), 129);
    EXPECT_EQ(files(document).ReadTitleFile(longPath), TitleOpenResult::NotLoaded);
    EXPECT_EQ(m_sink.numbers(), QList<int>{4});
    EXPECT_EQ(m_sink.shown[0].extra, QStringLiteral("File name too long."));

    const QString shared = path(QStringLiteral("shared.ttl"));
    TitleDocument other;
    TitleFiles otherFiles = files(other, 2);
    ASSERT_TRUE(otherFiles.saveAs(shared));
    m_sink.clear();
    EXPECT_EQ(files(document).ReadTitleFile(shared), TitleOpenResult::NotLoaded);
    EXPECT_FALSE(files(document).saveAs(shared));
    EXPECT_EQ(m_sink.numbers(), (QList<int>{kAlreadyOpened, kAlreadyOpened}));
    EXPECT_EQ(document.title(CategoryCamera, 1), QStringLiteral("kept"));
    // Save as writes under a long path; the file cannot be opened again.
    TitleDocument third;
    TitleFiles thirdFiles = files(third, 3);
    const QString longSave = m_dir.path() + QLatin1Char('/') + QString(130, QLatin1Char('y'));
    ASSERT_TRUE(thirdFiles.saveAs(longSave));
    thirdFiles.close();
    EXPECT_EQ(files(document).ReadTitleFile(longSave), TitleOpenResult::NotLoaded);
}

TEST_F(TitleFileTest, UnreadableFilesAreRefusedWithFileAndReason) {
    // Each of these once read as an empty document, and an upload then blanked the camera.
    // The window keeps its document, its edits and the file it had open.
    TitleDocument document;
    document.CameraNo = QStringLiteral("9");
    document.setTitle(CategoryCamera, 1, QStringLiteral("kept"));
    TitleFiles windowFiles = files(document);
    const QString kept = path(QStringLiteral("kept.ttl"));
    ASSERT_TRUE(windowFiles.saveAs(kept));
    document.setTitle(CategoryPosition, 5, QStringLiteral("EDIT"));
    document.MarkModified();
    const QString notShiftJis = QStringLiteral("not a Japanese (Shift-JIS) text file");
    const QList<std::pair<QString, QString>> cases{
        {path(QStringLiteral("missing.ttl")), QStringLiteral("no such file")},
        {m_dir.path(), QStringLiteral("not a regular file")},
        {QStringLiteral("/dev/zero"), QStringLiteral("not a regular file")},
        {fileWith("random.ttl", QByteArray::fromHex("8f00a1ff13fe2b7c0d9e")), notShiftJis},
        {fileWith("utf8.ttl", QStringLiteral("1:リモコン番号\r\n").toUtf8()), notShiftJis},
        {fileWith("comments.ttl", ": nothing but a comment\r\n\r\n"),
         QStringLiteral("holds no data")},
        {fileWith("empty.ttl", QByteArray()), QStringLiteral("holds no data")},
        {fileWith("huge.ttl", QByteArray(TitleFiles::kMaxFileBytes + 1, '1')),
         QStringLiteral("file too large")},
    };
    for (const auto& [file, reason] : cases) {
        m_sink.clear();
        EXPECT_EQ(windowFiles.ReadTitleFile(file), TitleOpenResult::NotLoaded);
        ASSERT_EQ(m_sink.numbers(), QList<int>{4}) << file.toStdString();
        EXPECT_EQ(m_sink.shown[0].extra, file + QStringLiteral(": ") + reason);
        EXPECT_EQ(document.title(CategoryCamera, 1), QStringLiteral("kept"));
        EXPECT_EQ(document.title(CategoryPosition, 5), QStringLiteral("EDIT"));
        EXPECT_EQ(document.CameraNo, QStringLiteral("9"));
        EXPECT_TRUE(document.TitleModified);
        EXPECT_EQ(windowFiles.path(), kept);
        EXPECT_EQ(m_slots.TitleFileName(m_slot), kept);
    }
}

TEST_F(TitleFileTest, CarriageReturnOnlyLinesReadLikeCrLf) {
    const QString file = fileWith(
        "cr.ttl", "4:Controller No\r9:Camera No\r[CAMERA]\r\"front\"\r[TRACE]\r\"t1\"\r\"t2\"\r");
    TitleDocument document;
    ASSERT_EQ(files(document).ReadTitleFile(file), TitleOpenResult::Loaded);
    EXPECT_TRUE(m_sink.shown.isEmpty());
    EXPECT_EQ(document.RemoteNo, QStringLiteral("4"));
    EXPECT_EQ(document.CameraNo, QStringLiteral("9"));
    EXPECT_EQ(document.title(CategoryCamera, 1), QStringLiteral("front"));
    EXPECT_EQ(document.title(CategoryTrace, 2), QStringLiteral("t2"));
}

TEST_F(TitleFileTest, FailedSaveKeepsOldFileAndModifiedMark) {
    const QString file = path(QStringLiteral("keep.ttl"));
    TitleDocument document = sampleDocument(false);
    TitleFiles windowFiles = files(document);
    ASSERT_TRUE(windowFiles.saveAs(file));
    const QByteArray before = readBytes(file);
    document.setTitle(CategoryCamera, 1, QStringLiteral("emoji \U0001F600")); // no CP932 form
    document.MarkModified();
    EXPECT_FALSE(windowFiles.Save());
    EXPECT_EQ(m_sink.numbers(), QList<int>{kCannotSave});
    EXPECT_TRUE(document.TitleModified);
    EXPECT_EQ(readBytes(file), before);
    EXPECT_FALSE(windowFiles.saveAs(path(QStringLiteral("missing/dir/x.ttl"))));
    EXPECT_TRUE(document.TitleModified);
}

TEST_F(TitleFileTest, SortedGridIsWrittenInNumberOrder) {
    TitleDocument document;
    for (int number = 1; number <= 255; ++number)
        document.setTitle(CategoryPosition, number, QString::number(number));
    document.row(CategoryPosition, 2).checkMark.clear(); // title 3 failed the check
    document.row(CategoryPosition, 6).checkMark.clear(); // title 7 too
    document.sortByCheckMark(CategoryPosition);
    EXPECT_EQ(document.row(CategoryPosition, 0).number, QStringLiteral("3"));
    EXPECT_EQ(document.row(CategoryPosition, 1).number, QStringLiteral("7"));
    EXPECT_EQ(document.row(CategoryPosition, 2).number, QStringLiteral("1"));
    const QStringList lines = TitleFileLines(document, TitleFileLabelsFor(m_language));
    for (int number = 1; number <= 255; ++number)
        ASSERT_EQ(lines[4 + number], QStringLiteral("\"%1\"").arg(number));
}

TEST_F(TitleFileTest, SavePromptAnswers) {
    TitleDocument document;
    TitleFiles windowFiles = files(document);
    EXPECT_TRUE(windowFiles.ConfirmSaveBeforeDiscard()); // not modified: no question
    EXPECT_TRUE(m_sink.shown.isEmpty());
    document.MarkModified();
    m_sink.answers = {ButtonCancel};
    EXPECT_FALSE(windowFiles.ConfirmSaveBeforeDiscard());
    EXPECT_TRUE(document.TitleModified);
    m_sink.answers = {ButtonNo};
    EXPECT_TRUE(windowFiles.ConfirmSaveBeforeDiscard());
    EXPECT_FALSE(document.TitleModified);
    // Yes without a file runs Save as; a cancelled dialog keeps the document.
    document.MarkModified();
    m_sink.answers = {ButtonYes};
    windowFiles.askSaveAsPath = [] { return QString(); };
    EXPECT_FALSE(windowFiles.ConfirmSaveBeforeDiscard());
    const QString file = path(QStringLiteral("prompt.ttl"));
    windowFiles.askSaveAsPath = [file] { return file; };
    m_sink.answers = {ButtonYes};
    EXPECT_TRUE(windowFiles.ConfirmSaveBeforeDiscard());
    EXPECT_FALSE(document.TitleModified);
    EXPECT_EQ(windowFiles.caption(), QStringLiteral("ID setting: ") + file);
    EXPECT_EQ(m_sink.numbers(), (QList<int>{kSaveInEdit, kSaveInEdit, kSaveInEdit, kSaveInEdit}));
}

// Text without a section header would read as an all-blank document.
TEST_F(TitleFileTest, TextWithoutATitleSectionIsNoTitleFile) {
    m_sink.defaultAnswer = ButtonYes; // "Keep file reading ?" answered Yes changes nothing
    TitleDocument document;
    TitleFiles windowFiles = files(document);
    document.setTitle(CategoryPosition, 4, QStringLiteral("KEEP"));
    struct Case {
        const char* name;
        QByteArray text;
    };
    const QList<Case> cases{
        {"notes.txt", "Call the installer on Monday.\r\nLobby camera 3 is loose.\r\n"},
        {"zel.ini", "[RS232C]\r\nPort=1\r\nRate=9600\r\n"},
        // A send-data file's first lines are numbers, as a title file's are.
        {"x.trf", "1 :REMOTE No.\r\n2 :CAMERA No.\r\n0\r\n\"FE0801\"\r\n"},
        {"headers.ttl", "1:REMOTE\r\n1:CAMERA\r\n[POSITIONS]\r\n\"A\"\r\n"},
    };
    for (const Case& c : cases) {
        const QString file = fileWith(c.name, c.text);
        m_sink.clear();
        EXPECT_EQ(windowFiles.ReadTitleFile(file), TitleOpenResult::NotLoaded) << c.name;
        ASSERT_EQ(m_sink.numbers(), QList<int>{MessageError}) << c.name;
        EXPECT_EQ(m_sink.shown[0].extra, file + QStringLiteral(" holds no titles"));
        EXPECT_EQ(document.title(CategoryPosition, 4), QStringLiteral("KEEP"));
        EXPECT_FALSE(windowFiles.hasPath());
    }
    // One section header is enough, even with blanks around it.
    const QString one = fileWith("one.ttl", "1:REMOTE\r\n1:CAMERA\r\n [ POSITION ] \r\n\"A\"\r\n");
    m_sink.clear();
    EXPECT_EQ(windowFiles.ReadTitleFile(one), TitleOpenResult::Loaded);
    EXPECT_TRUE(m_sink.shown.isEmpty());
}
