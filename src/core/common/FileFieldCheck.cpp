#include "FileFieldCheck.h"

#include "MessageNumber.h"
#include "MessageSink.h"
#include "shell/LanguageTables.h"

#include <QRegularExpression>

namespace zel {

namespace {

constexpr int kMaxTestRowChars = 494;
constexpr int kMaxLogUnitChars = 10;
constexpr int kMaxLogDataChars = 494;
constexpr int kMaxLogItems = 3000;
constexpr int kMaxTestRows = 16;

// A plain decimal number: optional sign, digits with at most one point.
bool isNumeric(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
    return pattern.match(TrimBlanks(text)).hasMatch();
}

// Numeric, without a point, within low..high.
bool isWholeInRange(const QString& text, int low, int high) {
    if (!isNumeric(text) || text.contains(QLatin1Char('.')))
        return false;
    const double value = TrimBlanks(text).toDouble();
    return value >= low && value <= high;
}

// Numeric, within 0..600, at most three decimals (trailing zeros aside).
bool isInterval(const QString& text) {
    if (!isNumeric(text))
        return false;
    const QString trimmed = TrimBlanks(text);
    const double value = trimmed.toDouble();
    if (value < 0 || value > 600)
        return false;
    const qsizetype point = trimmed.indexOf(QLatin1Char('.'));
    if (point < 0)
        return true;
    QString decimals = trimmed.mid(point + 1);
    while (decimals.endsWith(QLatin1Char('0')))
        decimals.chop(1);
    return decimals.size() <= 3;
}

bool isUpperHex(const QString& text) {
    for (const QChar c : text) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        const bool letter = c >= QLatin1Char('A') && c <= QLatin1Char('F');
        if (!digit && !letter)
            return false;
    }
    return true;
}

QString itemText(const QString& head, int itemNo, const QString& counter, const QString& tail) {
    return head + QString::number(itemNo) + counter + tail;
}

QString askKeepReading(MessageSink& messages, const QString& text) {
    return messages.ShowMessage(MessageKeepReading, text) == ButtonYes ? kFieldUseDefault
                                                                       : kFieldStop;
}

QString stopReading(MessageSink& messages, const QString& text) {
    messages.ShowMessage(MessageNoMoreData, text);
    return kFieldStop;
}

QString checkLogField(const QString& value, int itemNo, int maxChars, MessageSink& messages) {
    if (itemNo > kMaxLogItems && !value.isEmpty())
        return stopReading(messages, QStringLiteral("入力できるデータ件数を超えています。"));
    if (value.size() > maxChars)
        return askKeepReading(messages,
                              itemText(QStringLiteral("ログデータ"), itemNo, QStringLiteral("件目"),
                                       QStringLiteral("のデータが多すぎます。")));
    return kFieldValid;
}

QString checkTestRowData(const QString& value, int itemNo, MessageSink& messages) {
    if (value.size() > kMaxTestRowChars)
        return askKeepReading(messages,
                              itemText(QStringLiteral("送信データ"), itemNo, QStringLiteral("番目"),
                                       QStringLiteral("のデータが多すぎます。")));
    if (!isUpperHex(value))
        return askKeepReading(messages,
                              itemText(QStringLiteral("送信データ"), itemNo, QStringLiteral("番目"),
                                       QStringLiteral("に不正な文字が入力されています。")));
    return kFieldValid;
}

QString checkWriteReadLetter(const QString& value, int itemNo, MessageSink& messages) {
    static const QStringList letters{QStringLiteral("W"), QStringLiteral("w"), QStringLiteral("R"),
                                     QStringLiteral("r")};
    if (letters.contains(value))
        return kFieldValid;
    return askKeepReading(messages, itemText(QStringLiteral("書込/呼出データ"), itemNo,
                                             QStringLiteral("番目"),
                                             QStringLiteral("に不正な文字が入力されています。")));
}

QString validOrAsk(bool valid, MessageSink& messages, const QString& text) {
    return valid ? kFieldValid : askKeepReading(messages, text);
}

} // namespace

QString TrimBlanks(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}

QString CheckFileField(const QString& value, int kind, int itemNo, MessageSink& messages,
                       const LanguageTables& language) {
    switch (kind) {
    case FieldWriteReadLetter:
        return checkWriteReadLetter(value, itemNo, messages);
    case FieldTestRowData:
        return checkTestRowData(value, itemNo, messages);
    case FieldRemoteNo:
        return validOrAsk(isWholeInRange(value, 1, 99), messages,
                          language.piece(MessagePiece::RemoteNoWrong));
    case FieldTestCameraNo:
        return validOrAsk(isWholeInRange(value, 0, 255), messages,
                          language.piece(MessagePiece::CameraNoWrong));
    case FieldContinuousCheck:
        return validOrAsk(isWholeInRange(value, 0, 1), messages,
                          QStringLiteral("連続送信チェック値が不正です。"));
    case FieldContinuousInterval:
        return validOrAsk(isInterval(value), messages,
                          QStringLiteral("連続送信時間間隔が不正です。"));
    case FieldFreeFormatCheck:
        return validOrAsk(isWholeInRange(value, 0, 1), messages,
                          QStringLiteral("フリーフォーマットチェック値が不正です。"));
    case FieldLogUnit:
        return checkLogField(value, itemNo, kMaxLogUnitChars, messages);
    case FieldLogData:
        return checkLogField(value, itemNo, kMaxLogDataChars, messages);
    case FieldTestRowCount:
        if (itemNo > kMaxTestRows && !value.isEmpty())
            return stopReading(messages, QStringLiteral("入力できるデータ数を超えています。"));
        return kFieldValid;
    case FieldTitleCameraNo:
        return validOrAsk(isWholeInRange(value, 1, 255), messages,
                          language.piece(MessagePiece::CameraNoWrong));
    default:
        return kFieldValid;
    }
}

ValueLine SplitValueLine(const QString& line) {
    QString compact = line;
    compact.replace(QLatin1Char('\t'), QLatin1Char(' '));
    compact.remove(QLatin1Char(' '));
    const qsizetype colon = compact.indexOf(QLatin1Char(':'));
    if (colon < 0)
        return {compact, QString()};
    return {compact.left(colon), compact.mid(colon + 1)};
}

QuotedLine SplitQuotedLine(QString& line) {
    QuotedLine result;
    const qsizetype first = line.indexOf(QLatin1Char('"'));
    const qsizetype second = first < 0 ? -1 : line.indexOf(QLatin1Char('"'), first + 1);
    if (first >= 0)
        line[first] = QLatin1Char(' ');
    if (second >= 0) {
        line[second] = QLatin1Char(' ');
        result.quoted = TrimBlanks(line.mid(first + 1, second - first - 1));
    }
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    result.key = colon < 0 ? line : line.left(colon);
    return result;
}

} // namespace zel
