#include "ReasonTexts.h"

#include "TextPairs.h"
#include "common/FileBytes.h"
#include "common/OutputPath.h"

namespace zel {

namespace {

// In FileProblem order.
constexpr std::array<TextPair, 7> kFileProblems{{
    {u"read", u"読み込みました"},
    {u"no such file", u"ファイルがありません"},
    {u"not a regular file", u"通常のファイルではありません"},
    {u"file too large", u"ファイルが大き過ぎます"},
    {u"cannot be read", u"読み込めません"},
    {u"not a Japanese (Shift-JIS) text file",
     u"日本語（Shift-JIS）のテキストファイルではありません"},
    {u"holds no data", u"データがありません"},
}};

// In OutputProblem order.
constexpr std::array<TextPair, 7> kOutputProblems{{
    {u"can be written", u"書き込めます"},
    {u"names an input file", u"入力ファイルと同じです"},
    {u"is a folder", u"フォルダです"},
    {u"is not a regular file (a FIFO, device or socket)",
     u"通常のファイルではありません（FIFO、デバイスまたはソケット）"},
    {u"its folder does not exist", u"フォルダがありません"},
    {u"its folder cannot be written", u"フォルダに書き込めません"},
    {u"the file cannot be replaced", u"ファイルを置き換えられません"},
}};

// In PortStateText order.
constexpr std::array<TextPair, 4> kPortStates{{
    {u"closed", u"閉じています"},
    {u"open", u"接続中"},
    {u"lost, waiting for it to return", u"切断されました。再接続を待っています"},
    {u"cannot be opened, waiting for it", u"開けません。接続を待っています"},
}};

constexpr std::array<TextPair, 1> kPortPrefix{{{u"Port ", u"ポート "}}};

QString withDetail(const QString& text, const QString& detail) {
    return detail.isEmpty() ? text : text + QStringLiteral(" (") + detail + QLatin1Char(')');
}

} // namespace

QString fileProblemReason(FileProblem problem, int languageIndex, const QString& detail) {
    return withDetail(TextOf(kFileProblems, static_cast<size_t>(problem), languageIndex), detail);
}

QString outputProblemReason(OutputProblem problem, int languageIndex, const QString& detail) {
    return withDetail(TextOf(kOutputProblems, static_cast<size_t>(problem), languageIndex), detail);
}

QString portStateLine(const QString& device, PortStateText state, int languageIndex) {
    return TextOf(kPortPrefix, 0, languageIndex) + device + QStringLiteral(": ") +
           TextOf(kPortStates, static_cast<size_t>(state), languageIndex);
}

} // namespace zel
