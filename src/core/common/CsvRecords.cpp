#include "CsvRecords.h"

namespace zel {

namespace {

constexpr char16_t kQuote = u'"';
constexpr char16_t kComma = u',';
constexpr char16_t kCr = u'\r';
constexpr char16_t kLf = u'\n';

bool isLineEnd(QChar ch) {
    return ch == kCr || ch == kLf;
}

// Walks the text record by record, keeping the file line up to date.
class CsvScanner {
public:
    explicit CsvScanner(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_at >= m_text.size(); }

    CsvRecord record() {
        CsvRecord result;
        result.line = m_line;
        for (;;) {
            QString field;
            if (!atEnd() && m_text[m_at] == kQuote)
                quotedField(field, result);
            else
                plainField(field);
            result.fields.append(field);
            if (!result.error.isEmpty() && atEnd())
                return result;
            if (atEnd() || m_text[m_at] != kComma)
                break;
            ++m_at;
        }
        skipLineEnd();
        return result;
    }

private:
    void plainField(QString& field) {
        const qsizetype start = m_at;
        while (!atEnd() && m_text[m_at] != kComma && !isLineEnd(m_text[m_at]))
            ++m_at;
        field = m_text.mid(start, m_at - start).toString();
    }

    void quotedField(QString& field, CsvRecord& record) {
        ++m_at; // opening quote
        for (;;) {
            if (atEnd()) {
                record.error = QStringLiteral("a quoted field is not closed");
                return;
            }
            const QChar ch = m_text[m_at++];
            if (ch == kQuote) {
                if (atEnd() || m_text[m_at] != kQuote)
                    break;
                ++m_at; // a doubled quote stands for one
            } else {
                countLineEnd(ch);
            }
            field.append(ch);
        }
        if (atEnd() || m_text[m_at] == kComma || isLineEnd(m_text[m_at]))
            return;
        if (record.error.isEmpty())
            record.error = QStringLiteral("text after the closing quote of field %1")
                               .arg(record.fields.size() + 1);
        while (!atEnd() && !isLineEnd(m_text[m_at]))
            ++m_at;
    }

    // A line break inside a quoted field: CR LF counts once, at its LF.
    void countLineEnd(QChar ch) {
        if (ch == kLf || (ch == kCr && (atEnd() || m_text[m_at] != kLf)))
            ++m_line;
    }

    void skipLineEnd() {
        if (atEnd())
            return;
        if (m_text[m_at] == kCr && m_at + 1 < m_text.size() && m_text[m_at + 1] == kLf)
            ++m_at;
        ++m_at;
        ++m_line;
    }

    QStringView m_text;
    qsizetype m_at = 0;
    int m_line = 1;
};

} // namespace

bool CsvRecord::isBlank() const {
    for (const QString& field : fields)
        if (!field.isEmpty())
            return false;
    return true;
}

QVector<CsvRecord> ParseCsvRecords(QStringView text) {
    QVector<CsvRecord> records;
    CsvScanner scanner(text);
    while (!scanner.atEnd()) {
        records.append(scanner.record());
        if (!records.last().error.isEmpty() && scanner.atEnd())
            break;
    }
    return records;
}

QString CsvField(const QString& text) {
    const bool needsQuotes = text.contains(QChar(kComma)) || text.contains(QChar(kQuote)) ||
                             text.contains(QChar(kCr)) || text.contains(QChar(kLf)) ||
                             text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' '));
    if (!needsQuotes)
        return text;
    QString quoted = text;
    quoted.replace(QChar(kQuote), QStringLiteral("\"\""));
    return QChar(kQuote) + quoted + QChar(kQuote);
}

} // namespace zel
