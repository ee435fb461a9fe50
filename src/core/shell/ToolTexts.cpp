#include "ToolTexts.h"

#include "LanguageTables.h"

#include <array>

namespace zel {

namespace {

struct TextPair {
    const char16_t* en;
    const char16_t* ja;
};

constexpr std::array<TextPair, static_cast<size_t>(ToolText::Count)> kTexts{{
    {u"Detected ports", u"検出されたポート"},
    {u"Refresh", u"再検索"},
    {u"No serial port found", u"シリアルポートが見つかりません"},
    {u"(in use)", u"（使用中）"},
    {u"In use for this run: %1 (given on the command line instead of the COM port)",
     u"今回の起動で使用中: %1（COMポートの代わりにコマンドラインで指定）"},
    {u"%1: this screen is not available yet.", u"%1: この画面はまだ使用できません。"},
    {u"%1 (not detected now)", u"%1（現在検出されていません）"},
    {u"File: %1", u"ファイル: %1"},
    {u"%1 from an earlier download will be replaced",
     u"以前のダウンロードで残った %1 は置き換えられます"},
    {u"Network port (serial device server):", u"ネットワークポート（シリアルデバイスサーバ）:"},
    {u"Use", u"使用"},
    {u"Recording… rows appear when you press LOG STOP",
     u"記録中… 行は LOG STOP を押すと表示されます"},
    {u"Run Tool > Check without errors first",
     u"先に ツール > チェック をエラーなしで実行してください"},
    {u"Download, open or type titles first",
     u"先にタイトルをダウンロード、ファイルから開く、または入力してください"},
    {u"Save as PDF…", u"PDFとして保存…"},
    {u"Close", u"閉じる"},
    {u"&Import CSV…", u"CSV読み込み(&I)…"},
    {u"&Export CSV…", u"CSV書き出し(&E)…"},
    {u"CSV file (*.csv)", u"CSVファイル (*.csv)"},
    {u"Compare…", u"比較…"},
    {u"%1 compared with the camera", u"%1 とカメラの比較"},
}};

} // namespace

QString toolText(const LanguageTables& language, ToolText id) {
    return toolText(language.languageIndex(), id);
}

QString toolText(int languageIndex, ToolText id) {
    const auto index = static_cast<size_t>(id);
    if (index >= kTexts.size())
        return {};
    const TextPair& pair = kTexts[index];
    return QString::fromUtf16(languageIndex == 1 ? pair.ja : pair.en);
}

} // namespace zel
