#include "TitleCsvReader.h"

#include "TitleCsvWriter.h"
#include "TitleFileWriter.h"
#include "common/Cp932.h"
#include "common/CsvRecords.h"
#include "common/TextFile.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <QHash>
#include <QStringDecoder>
#include <optional>

namespace zel {

namespace {

constexpr int kFieldCount = 3;
constexpr int kMaxRemoteNo = 99;
constexpr int kMaxCameraNo = 255;
const QByteArray kByteOrderMark = QByteArrayLiteral("\xEF\xBB\xBF");

bool hasControlCharacter(const QString& text) {
    for (const QChar ch : text)
        if (ch.unicode() < 0x20 && ch != u'\t' && ch != u'\r' && ch != u'\n')
            return true;
    return false;
}

// UTF-8 (a leading byte-order mark dropped), else Shift-JIS; nothing for any other bytes.
std::optional<QString> decodeText(QByteArray bytes) {
    if (bytes.startsWith(kByteOrderMark))
        bytes.remove(0, kByteOrderMark.size());
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        if (!LooksLikeCp932Text(bytes))
            return std::nullopt;
        const std::optional<QString> cp932 = Cp932ToText(bytes);
        if (!cp932)
            return std::nullopt;
        text = *cp932;
    }
    if (hasControlCharacter(text))
        return std::nullopt;
    return text;
}

// A whole number of decimal digits from `low` to `high`, else -1.
int numberIn(const QString& text, int low, int high) {
    if (text.isEmpty() || text.size() > 4)
        return -1;
    for (const QChar ch : text)
        if (ch < u'0' || ch > u'9')
            return -1;
    const int value = text.toInt();
    return value >= low && value <= high ? value : -1;
}

QString trimmedBlanks(const QString& text) {
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text[start] == u' ')
        ++start;
    while (end > start && text[end - 1] == u' ')
        --end;
    return text.mid(start, end - start);
}

bool isBrace(QChar ch) {
    return ch == u'{' || ch == u'｛';
}

class TitleCsvRows {
public:
    TitleCsvRows(const TitleCharTable& table, TitleCsvImport& result)
        : m_table(table), m_result(result) {}

    void read(const QVector<CsvRecord>& records) {
        for (const CsvRecord& record : records) {
            if (record.isBlank() && record.error.isEmpty())
                continue;
            if (m_headerLine > 0) {
                dataRow(record);
            } else if (!preambleRow(record)) {
                refuse(record.line);
                return;
            }
        }
        if (m_headerLine == 0)
            refuse(1, QStringLiteral("no header row %1").arg(QString::fromUtf16(kTitleCsvHeader)));
    }

private:
    void problem(int line, const QString& reason) { m_result.problems.append({line, reason}); }

    void refuse(int line, const QString& reason = {}) {
        m_result.problems.clear();
        problem(line, !reason.isEmpty()
                          ? reason
                          : QStringLiteral("not a title CSV: the first rows must be #REMOTE, "
                                           "#CAMERA and the header %1")
                                .arg(QString::fromUtf16(kTitleCsvHeader)));
        m_result.refused = true;
    }

    static QStringList trimmedFields(const CsvRecord& record) {
        QStringList fields;
        for (const QString& field : record.fields)
            fields.append(field.trimmed());
        return fields;
    }

    // Fields past the third must be empty (a spreadsheet pads every row to its widest).
    static bool surplusEmpty(const QStringList& fields, qsizetype from) {
        for (qsizetype i = from; i < fields.size(); ++i)
            if (!fields[i].isEmpty())
                return false;
        return true;
    }

    // A #REMOTE or #CAMERA row, or the header. False for anything else.
    bool preambleRow(const CsvRecord& record) {
        if (!record.error.isEmpty())
            return false;
        const QStringList fields = trimmedFields(record);
        const QString key = fields[0].toUpper();
        if (key == QString::fromUtf16(kTitleCsvRemoteKey))
            return settingRow(record.line, fields, m_remoteLine, m_result.document.RemoteNo,
                              kMaxRemoteNo, QStringLiteral("REMOTE No."));
        if (key == QString::fromUtf16(kTitleCsvCameraKey))
            return settingRow(record.line, fields, m_cameraLine, m_result.document.CameraNo,
                              kMaxCameraNo, QStringLiteral("CAMERA No."));
        const QStringList header = QString::fromUtf16(kTitleCsvHeader).split(QLatin1Char(','));
        if (fields.size() < kFieldCount || !surplusEmpty(fields, kFieldCount))
            return false;
        for (int i = 0; i < kFieldCount; ++i)
            if (fields[i].compare(header[i], Qt::CaseInsensitive) != 0)
                return false;
        m_headerLine = record.line;
        return true;
    }

    bool settingRow(int line, const QStringList& fields, int& seenLine, QString& target, int high,
                    const QString& label) {
        const QString value = fields.value(1);
        if (seenLine > 0)
            problem(line,
                    QStringLiteral("%1 already given on line %2").arg(fields[0]).arg(seenLine));
        else if (!surplusEmpty(fields, 2) || numberIn(value, 1, high) < 0)
            problem(line, QStringLiteral("%1 must be a number from 1 to %2").arg(label).arg(high));
        else
            target = value;
        seenLine = line;
        return true;
    }

    static int categoryNamed(QString name) {
        if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
            name = name.mid(1, name.size() - 2);
        for (int category = 0; category < kTitleCategoryCount; ++category)
            if (name.compare(TitleCsvCategoryName(category), Qt::CaseInsensitive) == 0)
                return category;
        return -1;
    }

    void dataRow(const CsvRecord& record) {
        if (!record.error.isEmpty())
            return problem(record.line, record.error);
        const QStringList fields = trimmedFields(record);
        if (fields.size() < kFieldCount)
            return problem(record.line, QStringLiteral("3 fields expected (%1), found %2")
                                            .arg(QString::fromUtf16(kTitleCsvHeader))
                                            .arg(fields.size()));
        if (!surplusEmpty(fields, kFieldCount))
            return problem(
                record.line,
                QStringLiteral("more than 3 fields (%1)").arg(QString::fromUtf16(kTitleCsvHeader)));
        const int category = categoryNamed(fields[0]);
        if (category < 0)
            return problem(record.line, QStringLiteral("unknown category '%1'").arg(fields[0]));
        const int number = titleNumber(record.line, category, fields[1]);
        const QString title = trimmedBlanks(record.fields[2]);
        const QString titleProblem = checkTitle(title);
        if (!titleProblem.isEmpty())
            problem(record.line, titleProblem);
        if (number > 0 && titleProblem.isEmpty())
            m_result.document.setTitle(category, number, title);
    }

    // The number when it is in range and not given before, else 0 (problem noted).
    int titleNumber(int line, int category, const QString& text) {
        const TitleCategoryInfo& info = TitleCategoryAt(category);
        const QString name = TitleCsvCategoryName(category);
        const int number = numberIn(text, 1, info.titleCount);
        if (number < 0) {
            problem(line, info.titleCount == 1
                              ? QStringLiteral("%1 number must be 1, not '%2'").arg(name, text)
                              : QStringLiteral("%1 number must be 1 to %2, not '%3'")
                                    .arg(name)
                                    .arg(info.titleCount)
                                    .arg(text));
            return 0;
        }
        const int key = category * 1000 + number;
        if (const int earlier = m_seen.value(key); earlier > 0) {
            problem(line, QStringLiteral("%1 %2 already given on line %3")
                              .arg(name)
                              .arg(number)
                              .arg(earlier));
            return 0;
        }
        m_seen.insert(key, line);
        return number;
    }

    // Why `title` breaks the title rules, or empty. Checked as the .ttl will hold it.
    QString checkTitle(const QString& title) const {
        if (title.contains(QLatin1Char('\r')) || title.contains(QLatin1Char('\n')))
            return QStringLiteral("the title holds a line break");
        const QString stored = TitleForFileLine(title);
        if (!TitleCharTable::CheckTitleLength(stored))
            return QStringLiteral("title '%1' is longer than %2 characters")
                .arg(title)
                .arg(TitleCharTable::kMaxTitleLength);
        if (m_table.CheckTitleChars(stored))
            return {};
        for (qsizetype i = 0; i < stored.size(); ++i) {
            if (isBrace(stored[i])) {
                i += 4; // an escape; judged as a whole below
                continue;
            }
            if (!m_table.CheckTitleChars(QString(stored[i])))
                return QStringLiteral("title '%1': '%2' is not in the title table")
                    .arg(title, QString(stored[i]));
        }
        return QStringLiteral("title '%1': an escape that is cut short or not in the title table")
            .arg(title);
    }

    const TitleCharTable& m_table;
    TitleCsvImport& m_result;
    QHash<int, int> m_seen; // category * 1000 + number -> line
    int m_remoteLine = 0;
    int m_cameraLine = 0;
    int m_headerLine = 0;
};

} // namespace

QString TitleCsvProblem::text() const {
    return QStringLiteral("%1: %2").arg(line).arg(reason);
}

TitleCsvImport ReadTitleCsv(const QByteArray& bytes, const TitleCharTable& table) {
    TitleCsvImport result;
    const std::optional<QString> text = decodeText(bytes);
    if (!text) {
        result.problems.append(
            {1, QStringLiteral(
                    "not a title CSV: not text (control bytes, or neither UTF-8 nor Shift-JIS)")});
        result.refused = true;
        return result;
    }
    TitleCsvRows(table, result).read(ParseCsvRecords(*text));
    return result;
}

} // namespace zel
