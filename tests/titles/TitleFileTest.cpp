#include "RecordingSink.h"
#include "TestFiles.h"
#include "TitleTexts.h"
#include "Words.h"
#include "common/MessageNumber.h"
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
using zel::test::TitlesAt;
using zel::test::Words;
using zel::test::writeBytes;

namespace {

constexpr int kKeepReading = 1;
constexpr int kSaveInEdit = 19;
constexpr int kAlreadyOpened = 23;
constexpr int kCannotSave = 24;

TitleDocument sampleDocument(bool japanese) {
    TitleDocument document;
    document.RemoteNo = u"12"_qs;
    document.CameraNo = u"200"_qs;
    for (int category = 0; category < kTitleCategoryCount; ++category)
        for (int number = 1; number <= TitleCategoryAt(category).titleCount; ++number)
            document.setTitle(category, number,
                              japanese ? u"カメラ%1"_qs.arg(number)
                                       : u"C%1-%2"_qs.arg(category).arg(number));
    document.setTitle(CategoryPosition, 7, japanese ? u"\u3000ｶ｛０２４｝"_qs : u"{024}x"_qs);
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
    // clang-format off
    const std::pair<int, const char*> expected[] = {
        {0, "12:Controller No"}, {1, "200:Camera No"}, {2, "[CAMERA]"}, {4, "[POSITION]"},
        {5, "\"C1-1\""}, {260, "[TRACE]"}, {263, "[AUTOPAN]"}, {304, "[AUX]"}, {312, "\"C8-8\""}};
    // clang-format on
    for (const auto& [index, text] : expected)
        EXPECT_EQ(lines[index], QString::fromLatin1(text)) << index;
    m_language.setLanguageIndex(1);
    EXPECT_EQ(TitleFileLines(document, TitleFileLabelsFor(m_language))[1], u"200:カメラ番号"_qs);
}

TEST_F(TitleFileTest, RoundTripIsByteForByteInBothLanguages) {
    for (const bool japanese : {false, true}) {
        m_language.setLanguageIndex(japanese ? 1 : 0);
        TitleDocument document = sampleDocument(japanese);
        const QString first = path(u"first.ttl"_qs);
        const QString second = path(u"second.ttl"_qs);
        TitleFiles writer = files(document);
        ASSERT_TRUE(writer.saveAs(first));
        writer.close();

        TitleDocument reread;
        // Another window: the writer's closing freed the file for it.
        TitleFiles reader = files(reread, 2);
        ASSERT_EQ(reader.ReadTitleFile(first), TitleOpenResult::Loaded);
        EXPECT_EQ((QStringList{reread.RemoteNo, reread.CameraNo}), Words("12 200"));
        EXPECT_EQ(TitlesAt(reread, {{CategoryPosition, 7}, {CategoryAux, 8}}),
                  TitlesAt(document, {{CategoryPosition, 7}, {CategoryAux, 8}}));
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
    document.setTitle(CategoryCamera, 1, u"  A B  "_qs);
    document.setTitle(CategoryTrace, 2, u"\u3000X\u3000"_qs);
    document.setTitle(CategoryTour, 3, u"A\"B"_qs);
    const QString file = path(u"blanks.ttl"_qs);
    ASSERT_TRUE(WriteTitleFile(file, document, TitleFileLabelsFor(m_language), m_sink));
    TitleDocument reread;
    ASSERT_EQ(files(reread).ReadTitleFile(file), TitleOpenResult::Loaded);
    EXPECT_EQ(TitlesAt(reread, {{CategoryCamera, 1}, {CategoryTrace, 2}, {CategoryTour, 4}}),
              (QStringList{u"A B"_qs, u"\u3000X\u3000"_qs, QString()}));
    TitleCodes before{}, after{};
    ASSERT_TRUE(table.TitleTextToCodes(document.title(CategoryTour, 3), before));
    ASSERT_TRUE(table.TitleTextToCodes(reread.title(CategoryTour, 3), after));
    EXPECT_EQ(before, after);
    EXPECT_TRUE(table.CheckTitleChars(reread.title(CategoryTour, 3)));
}

TEST_F(TitleFileTest, LenientReaderShortLongMissingAndCommentedSections) {
    // TOUR holds 16 titles but has two lines: it ends at the next header.
    QByteArray text = ": written by hand\n 5 : Controller No\n\n\t7\t:Camera No\n[AUX]\n\"aux1\"\n"
                      ":comment inside\nno quotes here\n[TOUR]\n\"t1\"\n\"t2\"\n[POSITION]\n";
    for (int i = 1; i <= 256; ++i)
        text += "\"p" + QByteArray::number(i) + "\"\n";
    const QString file = fileWith("lenient.ttl", text + "[TRACE]\n\"t1\"\n");
    TitleDocument document;
    document.setTitle(CategoryHome, 1, u"old"_qs);
    ASSERT_EQ(files(document).ReadTitleFile(file), TitleOpenResult::Loaded);
    EXPECT_EQ((QStringList{document.RemoteNo, document.CameraNo}), Words("5 7"));
    // The line without quotes is an empty title; the missing HOME section is emptied.
    // clang-format off
    EXPECT_EQ(TitlesAt(document, {{CategoryAux, 1}, {CategoryAux, 2}, {CategoryAux, 3}, {CategoryTour, 2},
                                  {CategoryPosition, 255}, {CategoryTrace, 1}, {CategoryTrace, 2}, {CategoryHome, 1}}),
              (QStringList{u"aux1"_qs, {}, {}, u"t2"_qs, u"p255"_qs, u"t1"_qs, {}, {}}));
    // clang-format on
    for (int number = 3; number <= 16; ++number)
        EXPECT_EQ(document.title(CategoryTour, number), QString()) << number;
    EXPECT_FALSE(document.TitleModified);
    EXPECT_EQ(m_slots.LastCameraNo, u"7"_qs);
}

TEST_F(TitleFileTest, EachReaderRuleOnItsOwn) {
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
    EXPECT_EQ(TitlesAt(doc, {{CategoryAux, 1}, {CategoryAux, 2}}), (QStringList{{}, u"closed"_qs}));
    // Section headers are matched in upper case only.
    doc = read("1\n1\n[aux]\n\"lower\"\n[TRACE]\n");
    EXPECT_EQ(doc.title(CategoryAux, 1), QString());
    // A quoted title that looks like a header is a title: the section goes on.
    doc = read("1\n1\n[ALARM]\n\"[1]\"\n\"two\"\n");
    EXPECT_EQ(TitlesAt(doc, {{CategoryAlarm, 1}, {CategoryAlarm, 2}}), Words("[1] two"));
    // TRACE reads two titles; a third line is surplus.
    doc = read("1\n1\n[TRACE]\n\"a\"\n\"b\"\n\"c\"\n");
    EXPECT_EQ(doc.title(CategoryTrace, 2), u"b"_qs);
    EXPECT_TRUE(m_sink.shown.isEmpty());
    // CAMERA No. 0 is refused in a title file (1 to 255), REMOTE No. 99 is not.
    doc = read("99\n0\n[CAMERA]\n\"c\"\n");
    EXPECT_EQ(m_sink.numbers(), QList<int>{kKeepReading});
    EXPECT_EQ(m_sink.shown.value(0).extra, u"CAMERA No. incorrect"_qs);
    EXPECT_EQ((QStringList{doc.RemoteNo, doc.CameraNo}), Words("99 1"));
    // A number with a point is not a whole number.
    doc = read("5.0\n255\n[TRACE]\n");
    EXPECT_EQ(m_sink.shown.value(0).extra, u"REMOTE No. incorrect"_qs);
    EXPECT_EQ(doc.CameraNo, u"255"_qs);
}

TEST_F(TitleFileTest, WrongNumbersAskToKeepReading) {
    const QString file = fileWith("nonumbers.ttl", "[CAMERA]\r\n\"cam\"\r\n[TRACE]\r\n\"t\"\r\n");
    TitleDocument document;
    m_sink.answers = {ButtonYes, ButtonYes};
    ASSERT_EQ(files(document).ReadTitleFile(file), TitleOpenResult::Loaded);
    ASSERT_EQ(m_sink.numbers(), (QList<int>{kKeepReading, kKeepReading}));
    EXPECT_EQ((QStringList{m_sink.shown[0].extra, m_sink.shown[1].extra}),
              (QStringList{u"REMOTE No. incorrect"_qs, u"CAMERA No. incorrect"_qs}));
    EXPECT_EQ((QStringList{document.RemoteNo, document.title(CategoryCamera, 1)}), Words("1 cam"));

    m_sink.clear();
    m_sink.answers = {ButtonNo};
    const QString wrong = fileWith("wrong.ttl", "100\r\n3\r\n[CAMERA]\r\n\"cam\"\r\n");
    ASSERT_EQ(files(document).ReadTitleFile(wrong), TitleOpenResult::Stopped);
    EXPECT_EQ(std::tuple(m_sink.numbers(), document.title(CategoryCamera, 1), m_slots.LastCameraNo),
              std::tuple(QList<int>{kKeepReading}, QString(), QString()));
}

TEST_F(TitleFileTest, OpenRefusesLongPathsAndFilesOpenElsewhere) {
    TitleDocument document;
    document.setTitle(CategoryCamera, 1, u"kept"_qs);
    const QString longPath = u"/tmp/"_qs + QString(124, QLatin1Char('x')); // 129 characters
    EXPECT_EQ(files(document).ReadTitleFile(longPath), TitleOpenResult::NotLoaded);
    EXPECT_EQ(m_sink.numbers(), QList<int>{4});
    EXPECT_EQ(m_sink.shown[0].extra, u"File name too long."_qs);

    const QString shared = path(u"shared.ttl"_qs);
    TitleDocument other;
    TitleFiles otherFiles = files(other, 2);
    ASSERT_TRUE(otherFiles.saveAs(shared));
    m_sink.clear();
    EXPECT_EQ(files(document).ReadTitleFile(shared), TitleOpenResult::NotLoaded);
    EXPECT_FALSE(files(document).saveAs(shared));
    EXPECT_EQ(m_sink.numbers(), (QList<int>{kAlreadyOpened, kAlreadyOpened}));
    EXPECT_EQ(document.title(CategoryCamera, 1), u"kept"_qs);
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
    document.CameraNo = u"9"_qs;
    document.setTitle(CategoryCamera, 1, u"kept"_qs);
    TitleFiles windowFiles = files(document);
    const QString kept = path(u"kept.ttl"_qs);
    ASSERT_TRUE(windowFiles.saveAs(kept));
    document.setTitle(CategoryPosition, 5, u"EDIT"_qs);
    document.MarkModified();
    const QString notShiftJis = u"not a Japanese (Shift-JIS) text file"_qs;
    const QList<std::pair<QString, QString>> cases{
        {path(u"missing.ttl"_qs), u"no such file"_qs},
        {m_dir.path(), u"not a regular file"_qs},
        {u"/dev/zero"_qs, u"not a regular file"_qs},
        {fileWith("random.ttl", QByteArray::fromHex("8f00a1ff13fe2b7c0d9e")), notShiftJis},
        {fileWith("utf8.ttl", u"1:リモコン番号\r\n"_qs.toUtf8()), notShiftJis},
        {fileWith("comments.ttl", ": nothing but a comment\r\n\r\n"), u"holds no data"_qs},
        {fileWith("empty.ttl", QByteArray()), u"holds no data"_qs},
        {fileWith("huge.ttl", QByteArray(TitleFiles::kMaxFileBytes + 1, '1')),
         u"file too large"_qs},
    };
    for (const auto& [file, reason] : cases) {
        m_sink.clear();
        EXPECT_EQ(windowFiles.ReadTitleFile(file), TitleOpenResult::NotLoaded);
        ASSERT_EQ(m_sink.numbers(), QList<int>{4}) << file.toStdString();
        EXPECT_EQ(m_sink.shown[0].extra, file + u": "_qs + reason);
        EXPECT_EQ(
            (QStringList{document.title(CategoryCamera, 1), document.title(CategoryPosition, 5),
                         document.CameraNo, windowFiles.path(), m_slots.TitleFileName(m_slot)}),
            (QStringList{u"kept"_qs, u"EDIT"_qs, u"9"_qs, kept, kept}));
        EXPECT_TRUE(document.TitleModified);
    }
}

TEST_F(TitleFileTest, CarriageReturnOnlyLinesReadLikeCrLf) {
    const QString file = fileWith(
        "cr.ttl", "4:Controller No\r9:Camera No\r[CAMERA]\r\"front\"\r[TRACE]\r\"t1\"\r\"t2\"\r");
    TitleDocument document;
    ASSERT_EQ(files(document).ReadTitleFile(file), TitleOpenResult::Loaded);
    EXPECT_TRUE(m_sink.shown.isEmpty());
    EXPECT_EQ((QStringList{document.RemoteNo, document.CameraNo, document.title(CategoryCamera, 1),
                           document.title(CategoryTrace, 2)}),
              Words("4 9 front t2"));
}

TEST_F(TitleFileTest, FailedSaveKeepsOldFileAndModifiedMark) {
    const QString file = path(u"keep.ttl"_qs);
    TitleDocument document = sampleDocument(false);
    TitleFiles windowFiles = files(document);
    ASSERT_TRUE(windowFiles.saveAs(file));
    const QByteArray before = readBytes(file);
    document.setTitle(CategoryCamera, 1, u"emoji \U0001F600"_qs); // no CP932 form
    document.MarkModified();
    EXPECT_FALSE(windowFiles.Save());
    EXPECT_EQ(std::tuple(m_sink.numbers(), document.TitleModified, readBytes(file)),
              std::tuple(QList<int>{kCannotSave}, true, before));
    EXPECT_FALSE(windowFiles.saveAs(path(u"missing/dir/x.ttl"_qs)));
    EXPECT_TRUE(document.TitleModified);
}

TEST_F(TitleFileTest, SortedGridIsWrittenInNumberOrder) {
    TitleDocument document;
    for (int number = 1; number <= 255; ++number)
        document.setTitle(CategoryPosition, number, QString::number(number));
    document.row(CategoryPosition, 2).checkMark.clear(); // title 3 failed the check
    document.row(CategoryPosition, 6).checkMark.clear(); // title 7 too
    document.sortByCheckMark(CategoryPosition);
    EXPECT_EQ((QStringList{document.row(CategoryPosition, 0).number,
                           document.row(CategoryPosition, 1).number,
                           document.row(CategoryPosition, 2).number}),
              Words("3 7 1"));
    const QStringList lines = TitleFileLines(document, TitleFileLabelsFor(m_language));
    for (int number = 1; number <= 255; ++number)
        ASSERT_EQ(lines[4 + number], u"\"%1\""_qs.arg(number));
}

TEST_F(TitleFileTest, SavePromptAnswers) {
    TitleDocument document;
    TitleFiles windowFiles = files(document);
    EXPECT_TRUE(windowFiles.ConfirmSaveBeforeDiscard()); // not modified: no question
    EXPECT_TRUE(m_sink.shown.isEmpty());
    document.MarkModified();
    m_sink.answers = {ButtonCancel, ButtonNo};
    EXPECT_FALSE(windowFiles.ConfirmSaveBeforeDiscard());
    EXPECT_TRUE(document.TitleModified && windowFiles.ConfirmSaveBeforeDiscard());
    EXPECT_FALSE(document.TitleModified);
    // Yes without a file runs Save as; a cancelled dialog keeps the document.
    document.MarkModified();
    m_sink.answers = {ButtonYes};
    windowFiles.askSaveAsPath = [] { return QString(); };
    EXPECT_FALSE(windowFiles.ConfirmSaveBeforeDiscard());
    const QString file = path(u"prompt.ttl"_qs);
    windowFiles.askSaveAsPath = [file] { return file; };
    m_sink.answers = {ButtonYes};
    EXPECT_TRUE(windowFiles.ConfirmSaveBeforeDiscard());
    EXPECT_FALSE(document.TitleModified);
    EXPECT_EQ(windowFiles.caption(), u"ID setting: "_qs + file);
    EXPECT_EQ(m_sink.numbers(), (QList<int>{kSaveInEdit, kSaveInEdit, kSaveInEdit, kSaveInEdit}));
}

// Text without a section header would read as an all-blank document.
TEST_F(TitleFileTest, TextWithoutATitleSectionIsNoTitleFile) {
    m_sink.defaultAnswer = ButtonYes; // "Keep file reading ?" answered Yes changes nothing
    TitleDocument document;
    TitleFiles windowFiles = files(document);
    document.setTitle(CategoryPosition, 4, u"KEEP"_qs);
    const QList<std::pair<const char*, QByteArray>> cases{
        {"notes.txt", "Call the installer on Monday.\r\nLobby camera 3 is loose.\r\n"},
        {"zel.ini", "[RS232C]\r\nPort=1\r\nRate=9600\r\n"},
        // A send-data file's first lines are numbers, as a title file's are.
        {"x.trf", "1 :REMOTE No.\r\n2 :CAMERA No.\r\n0\r\n\"FE0801\"\r\n"},
        {"headers.ttl", "1:REMOTE\r\n1:CAMERA\r\n[POSITIONS]\r\n\"A\"\r\n"},
    };
    for (const auto& [name, text] : cases) {
        SCOPED_TRACE(name);
        const QString file = fileWith(name, text);
        m_sink.clear();
        EXPECT_EQ(windowFiles.ReadTitleFile(file), TitleOpenResult::NotLoaded);
        ASSERT_EQ(m_sink.numbers(), QList<int>{MessageError});
        EXPECT_EQ(m_sink.shown[0].extra, file + u" holds no titles"_qs);
        EXPECT_EQ(document.title(CategoryPosition, 4), u"KEEP"_qs);
        EXPECT_FALSE(windowFiles.hasPath());
    }
    // One section header is enough, even with blanks around it.
    const QString one = fileWith("one.ttl", "1:REMOTE\r\n1:CAMERA\r\n [ POSITION ] \r\n\"A\"\r\n");
    m_sink.clear();
    EXPECT_EQ(windowFiles.ReadTitleFile(one), TitleOpenResult::Loaded);
    EXPECT_TRUE(m_sink.shown.isEmpty());
}
