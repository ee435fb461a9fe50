#include "common/CsvRecords.h"

#include <gtest/gtest.h>

#include <vector>

using namespace zel;

namespace {

QStringList texts(const std::vector<const char*>& fields) {
    QStringList list;
    for (const char* field : fields)
        list.append(QString::fromUtf8(field));
    return list;
}

TEST(CsvRecordsTest, FieldsAndLinesAsSpreadsheetsWriteThem) {
    // The text; each record's fields and the line it starts on.
    const std::tuple<const char*, std::vector<std::vector<const char*>>, QList<int>> cases[] = {
        {"a,b,c", {{"a", "b", "c"}}, {1}},
        {"a,\"b,c\",\"d \"\"e\"\"\"\r\n", {{"a", "b,c", "d \"e\""}}, {1}},
        {"a\nb\r\nc\rd", {{"a"}, {"b"}, {"c"}, {"d"}}, {1, 2, 3, 4}},
        {"\"x\r\ny\",1\nz", {{"x\r\ny", "1"}, {"z"}}, {1, 3}},
        {"\"x\ny\",1\r\n\r\nz", {{"x\ny", "1"}, {""}, {"z"}}, {1, 3, 4}},
        {",,\n", {{"", "", ""}}, {1}},
        {"a\"b,c", {{"a\"b", "c"}}, {1}},
        {"\"\",\"\"", {{"", ""}}, {1}},
        {"a,", {{"a", ""}}, {1}},
    };
    for (const auto& [text, fields, lines] : cases) {
        SCOPED_TRACE(text);
        const QVector<CsvRecord> records = ParseCsvRecords(QString::fromUtf8(text));
        ASSERT_EQ(size_t(records.size()), fields.size());
        for (qsizetype i = 0; i < records.size(); ++i)
            EXPECT_EQ(std::tuple(records[i].fields, records[i].line, records[i].error),
                      std::tuple(texts(fields[size_t(i)]), lines[i], QString()));
    }
}

TEST(CsvRecordsTest, MalformedQuotingIsMarkedOnItsRecord) {
    const QVector<CsvRecord> afterQuote = ParseCsvRecords(u"a,\"b\"c,d\nnext");
    ASSERT_EQ(afterQuote.size(), 2);
    EXPECT_EQ(afterQuote[0].error, u"text after the closing quote of field 2"_qs);
    EXPECT_EQ(std::tuple(afterQuote[1].fields, afterQuote[1].line),
              std::tuple(QStringList{u"next"_qs}, 2));

    const QVector<CsvRecord> open = ParseCsvRecords(u"a\nb,\"never\nclosed");
    ASSERT_EQ(open.size(), 2);
    EXPECT_EQ(std::tuple(open[1].line, open[1].error),
              std::tuple(2, u"a quoted field is not closed"_qs));
}

TEST(CsvRecordsTest, FieldsAreQuotedOnlyWhereTheyNeedIt) {
    EXPECT_EQ((QStringList{CsvField(u"GATE 1"_qs), CsvField(u"a,b"_qs), CsvField(u"\"q\""_qs),
                           CsvField(u" x"_qs), CsvField(u"a\nb"_qs)}),
              (QStringList{u"GATE 1"_qs, u"\"a,b\""_qs, u"\"\"\"q\"\"\""_qs, u"\" x\""_qs,
                           u"\"a\nb\""_qs}));
    // What is written reads back as the same fields.
    const QStringList fields{u"a,b"_qs, u"\"q\""_qs, u" x "_qs, QString()};
    QStringList written;
    for (const QString& field : fields)
        written.append(CsvField(field));
    const QVector<CsvRecord> records = ParseCsvRecords(written.join(QLatin1Char(',')));
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].fields, fields);
}

} // namespace
