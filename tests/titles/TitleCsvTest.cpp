// Titles to and from comma-separated text: round trips, spreadsheet conventions, every
// problem a row can have.
#include "RecordingSink.h"
#include "common/Cp932.h"
#include "common/TextFile.h"
#include "shell/LanguageTables.h"
#include "titles/TitleCsvReader.h"
#include "titles/TitleCsvWriter.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFileReader.h"
#include "titles/TitleFileWriter.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace zel;
using zel::test::RecordingSink;

namespace {

constexpr int kEnglish = 0;
constexpr int kJapanese = 1;

QString seedFolder() {
    // The title files the fuzzer starts from: written ones, lenient ones, odd ones.
    return QDir::cleanPath(QStringLiteral(ZEL_TEST_DATA_DIR "/../fuzz/seeds/ttl"));
}

TitleDocument readTtl(const QString& path, int languageIndex) {
    LanguageTables language;
    language.setLanguageIndex(languageIndex);
    RecordingSink sink;
    sink.defaultAnswer = ButtonYes; // keep reading past a wrong number
    TitleDocument document;
    const TextFileRead file = ReadTextFile(path);
    EXPECT_TRUE(file.ok) << path.toStdString();
    TitleFileReader reader(file.lines);
    reader.readDocument(document, sink, language);
    return document;
}

QStringList ttlLines(const TitleDocument& document, int languageIndex) {
    LanguageTables language;
    language.setLanguageIndex(languageIndex);
    return TitleFileLines(document, TitleFileLabelsFor(language));
}

QStringList problemTexts(const TitleCsvImport& imported) {
    QStringList texts;
    for (const TitleCsvProblem& problem : imported.problems)
        texts.append(problem.text());
    return texts;
}

// Every title of the table in turn, eight characters a title, over all 302 titles; with a
// comma, a quotation mark, blanks inside and escapes wherever the table has them.
TitleDocument everyCharacterDocument(const TitleCharTable& table) {
    TitleDocument document;
    document.RemoteNo = u"99"_qs;
    document.CameraNo = u"255"_qs;
    int next = 0;
    for (int category = 0; category < kTitleCategoryCount; ++category)
        for (int number = 1; number <= TitleCategoryAt(category).titleCount; ++number) {
            QString title;
            for (int k = 0; k < TitleCharTable::kMaxTitleLength; ++k) {
                QString ch = table.entry(next++ % table.size()).Char;
                if (ch == u" "_qs && (k == 0 || k == 7))
                    ch = u"A"_qs; // the files keep no blank at the ends
                title += ch;
            }
            document.setTitle(category, number, title);
        }
    return document;
}

TEST(TitleCsvTest, EveryTestTitleFileGivesTheDocumentItReadsAs) {
    const QStringList names = QDir(seedFolder()).entryList(QDir::Files);
    ASSERT_GT(names.size(), 4);
    const QString written[] = {u"written-en.ttl"_qs, u"written-ja.ttl"_qs};
    int compared = 0;
    for (const QString& name : names) {
        const TextFileRead file = ReadTextFile(seedFolder() + QLatin1Char('/') + name);
        if (!file.ok || !TitleFileReader::hasSignificantLine(file.lines))
            continue;
        for (const int language : {kEnglish, kJapanese}) {
            const TitleDocument document =
                readTtl(seedFolder() + QLatin1Char('/') + name, language);
            const TitleCharTable table(language);
            TitleCsvImport imported = ReadTitleCsv(TitleCsvBytes(document), table);
            // Titles that break the rules are reported; the others come back unchanged, and a
            // file the program wrote comes back line for line.
            const bool ownFile = name == written[language];
            if (!imported.ok()) {
                EXPECT_FALSE(imported.refused || ownFile) << name.toStdString();
                continue;
            }
            EXPECT_EQ(ttlLines(imported.document, language),
                      ownFile ? file.lines : ttlLines(document, language))
                << name.toStdString();
            ++compared;
        }
    }
    EXPECT_GE(compared, 4);
}

TEST(TitleCsvTest, FullDocumentWithEveryCharacterRoundTrips) {
    for (const int language : {kEnglish, kJapanese}) {
        const TitleCharTable table(language);
        TitleDocument document = everyCharacterDocument(table);
        document.setTitle(CategoryTour, 3,
                          language == kJapanese ? u"Ａ，Ｂ　″"_qs : u"a,b \"c\""_qs);
        const QByteArray csv = TitleCsvBytes(document);
        EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF#REMOTE,99\r\n#CAMERA,255\r\n"
                                   "category,number,title\r\n"));
        const TitleCsvImport imported = ReadTitleCsv(csv, table);
        ASSERT_TRUE(imported.ok()) << problemTexts(imported).join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(ttlLines(imported.document, language), ttlLines(document, language));
    }
}

TEST(TitleCsvTest, QuotationMarkIsWrittenAsSeenAndStoredAsTheFileEscape) {
    TitleDocument document;
    document.setTitle(CategoryCamera, 1, u"{073}HI, X"_qs);
    document.setTitle(CategoryPosition, 2, u"A\r\nB"_qs);
    const QByteArray csv = TitleCsvBytes(document);
    EXPECT_TRUE(csv.contains("CAMERA,1,\"\"\"HI, X\"\r\n")) << csv.constData();
    EXPECT_TRUE(csv.contains("POSITION,2,A  B\r\n")) << "line breaks as the .ttl holds them";
    const TitleCsvImport imported = ReadTitleCsv(csv, TitleCharTable(kEnglish));
    ASSERT_TRUE(imported.ok());
    EXPECT_EQ(imported.document.title(CategoryCamera, 1), u"\"HI, X"_qs);
    EXPECT_EQ(ttlLines(imported.document, kEnglish)[3], u"\"{073}HI, X\""_qs);
}

TEST(TitleCsvTest, SpreadsheetConventionsImport) {
    // No byte-order mark, LF, every field quoted, rows padded to the widest, reordered and
    // missing rows, empty rows and a trailing empty line.
    const QByteArray csv = QByteArray("\"#REMOTE\",\"5\",\"\"\n"
                                      "\"#CAMERA\",\"17\",\"\"\n"
                                      "\"Category\",\"Number\",\"Title\"\n"
                                      "\"AUX\",\"8\",\"LAST\"\n"
                                      ",,\n"
                                      "\"POSITION\",\"2\",\"GATE, N\"\n"
                                      "\"CAMERA\",\"1\",\"  LOBBY \"\n"
                                      "\"POSITION\",\" 1 \",\"\"\"Q\"\"\"\n"
                                      "\n");
    const TitleCsvImport imported = ReadTitleCsv(csv, TitleCharTable(kEnglish));
    ASSERT_TRUE(imported.ok()) << problemTexts(imported).join(QLatin1Char('\n')).toStdString();
    const TitleDocument& d = imported.document;
    // The last two are missing rows: blank.
    EXPECT_EQ(
        (QStringList{d.RemoteNo, d.CameraNo, d.title(CategoryAux, 8), d.title(CategoryPosition, 2),
                     d.title(CategoryCamera, 1), d.title(CategoryPosition, 1),
                     d.title(CategoryPosition, 3), d.title(CategoryTrace, 1)}),
        (QStringList{u"5"_qs, u"17"_qs, u"LAST"_qs, u"GATE, N"_qs, u"LOBBY"_qs, u"\"Q\""_qs,
                     QString(), QString()}));
}

// Without setting rows: UTF-8 with a byte-order mark, or Shift-JIS from a Japanese spreadsheet.
TEST(TitleCsvTest, ByteOrderMarkOrShiftJisWithoutSettingRowsImports) {
    const TitleCsvImport marked = ReadTitleCsv("\xEF\xBB\xBF"
                                               "category,number,title\r\nHOME,3,H3\r\n",
                                               TitleCharTable(kEnglish));
    ASSERT_TRUE(marked.ok());
    EXPECT_EQ((QStringList{marked.document.RemoteNo, marked.document.title(CategoryHome, 3)}),
              (QStringList{u"1"_qs, u"H3"_qs}));
    const auto bytes = TextToCp932(u"category,number,title\r\nCAMERA,1,カメラ１\r\n"_qs);
    ASSERT_TRUE(bytes.has_value());
    const TitleCsvImport imported = ReadTitleCsv(*bytes, TitleCharTable(kJapanese));
    ASSERT_TRUE(imported.ok()) << problemTexts(imported).join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(imported.document.title(CategoryCamera, 1), u"カメラ１"_qs);
}

TEST(TitleCsvTest, EveryBadRowIsReportedWithItsLine) {
    const std::pair<const char*, const char*> cases[] = {
        // the row on line 5, its problem
        {"POSITION,1,ABCDEFGHI", "5: title 'ABCDEFGHI' is longer than 8 characters"},
        {"POSITION,1,A~B", "5: title 'A~B': '~' is not in the title table"},
        {"POSITION,1,{0A0}", "5: title '{0A0}': an escape that is cut short or not in the "
                             "title table"},
        {"POSITION,256,A", "5: POSITION number must be 1 to 255, not '256'"},
        {"POSITION,0,A", "5: POSITION number must be 1 to 255, not '0'"},
        {"TOUR,x,A", "5: TOUR number must be 1 to 16, not 'x'"},
        {"CAMERA,2,A", "5: CAMERA number must be 1, not '2'"},
        {"POSITION,3,B", "5: POSITION 3 already given on line 4"},
        {"PRESET,1,A", "5: unknown category 'PRESET'"},
        {"POSITION,1", "5: 3 fields expected (category,number,title), found 2"},
        {"POSITION,1,A,B", "5: more than 3 fields (category,number,title)"},
        {"POSITION,1,\"A\"B", "5: text after the closing quote of field 3"},
        {"POSITION,1,\"A\nB\"", "5: the title holds a line break"},
        {"POSITION,1,\"open", "5: a quoted field is not closed"},
    };
    for (const auto& [row, problem] : cases) {
        SCOPED_TRACE(row);
        const QByteArray csv = QByteArray("#REMOTE,1\r\n#CAMERA,1\r\ncategory,number,title\r\n"
                                          "POSITION,3,A\r\n") +
                               row + "\r\nPOSITION,4,D\r\n";
        const TitleCsvImport imported = ReadTitleCsv(csv, TitleCharTable(kEnglish));
        EXPECT_FALSE(imported.refused);
        EXPECT_EQ(problemTexts(imported), QStringList{QString::fromUtf8(problem)});
    }
}

TEST(TitleCsvTest, BadSettingRowsAreReportedAndEveryRowIsChecked) {
    // Line numbers count the lines inside a quoted field too.
    const QByteArray csv = QByteArray("#REMOTE,100\n#CAMERA,0\n#CAMERA,3\ncategory,number,title\n"
                                      "SECTOR,9,A\nALARM,1,OK\nAUX,1,toolongtitle\n"
                                      "POSITION,1,\"A\r\nB\"\r\nPOSITION,300,\r\n");
    EXPECT_EQ(problemTexts(ReadTitleCsv(csv, TitleCharTable(kEnglish))),
              (QStringList{u"1: REMOTE No. must be a number from 1 to 99"_qs,
                           u"2: CAMERA No. must be a number from 1 to 255"_qs,
                           u"3: #CAMERA already given on line 2"_qs,
                           u"5: SECTOR number must be 1 to 8, not '9'"_qs,
                           u"7: title 'toolongtitle' is longer than 8 characters"_qs,
                           u"8: the title holds a line break"_qs,
                           u"10: POSITION number must be 1 to 255, not '300'"_qs}));
}

TEST(TitleCsvTest, WhatIsNoTitleCsvIsRefusedOnItsFirstLine) {
    const QByteArray cases[] = {
        QByteArray::fromHex("7F454C46020101000000FFFE00"), // a program
        QByteArray("time_ms,wall_clock,direction,unit,data,meaning\r\n125,,sent,HOST1:,FE,x\r\n"),
        QByteArray("1:Controller No\r\n1:Camera No\r\n[CAMERA]\r\n\"CAM 1\"\r\n"),
        QByteArray("category,title\r\nCAMERA,A\r\n"),
    };
    for (const QByteArray& csv : cases) {
        const TitleCsvImport imported = ReadTitleCsv(csv, TitleCharTable(kEnglish));
        EXPECT_TRUE(imported.refused) << csv.constData();
        ASSERT_EQ(imported.problems.size(), 1);
        EXPECT_EQ(imported.problems[0].line, 1);
        EXPECT_TRUE(imported.problems[0].reason.startsWith(u"not a title CSV"_qs));
    }
    for (const QByteArray& empty :
         {QByteArray(), QByteArray("\xEF\xBB\xBF"), QByteArray("\r\n\r\n")}) {
        const TitleCsvImport imported = ReadTitleCsv(empty, TitleCharTable(kEnglish));
        EXPECT_TRUE(imported.refused);
        EXPECT_EQ(problemTexts(imported),
                  QStringList{u"1: no header row category,number,title"_qs});
    }
}

TEST(TitleCsvTest, TitlesAreCheckedWithTheTableOfTheLanguage) {
    const QByteArray csv = QByteArray("category,number,title\nCAMERA,1,AB\nAUTOPAN,1,ＡＢ\n");
    EXPECT_EQ(problemTexts(ReadTitleCsv(csv, TitleCharTable(kEnglish))),
              QStringList{u"3: title 'ＡＢ': 'Ａ' is not in the title table"_qs});
    EXPECT_EQ(problemTexts(ReadTitleCsv(csv, TitleCharTable(kJapanese))),
              QStringList{u"2: title 'AB': 'A' is not in the title table"_qs});
}

} // namespace
