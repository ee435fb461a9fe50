#include "ToolTexts.h"

#include "LanguageTables.h"
#include "TextPairs.h"

namespace zel {

namespace {

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
    {u"over a network, raise [RsWait] TimeOutWait in zel.ini (now %1 ms)",
     u"ネットワーク経由の場合は zel.ini の [RsWait] TimeOutWait を増やしてください (現在 %1 ms)"},
    {u"cannot open %1: %2", u"%1 を開けません: %2"},
    {u"no such device", u"デバイスがありません"},
    {u"the device is in use: %1", u"デバイスは使用中です: %1"},
    {u"the device is in use by another program (%1)", u"デバイスは他のプログラムが使用中です (%1)"},
    {u"permission denied (%1); the user may need to be in the 'dialout' group",
     u"アクセスが拒否されました (%1)。ユーザーを 'dialout' "
     u"グループに加える必要があるかもしれません"},
    {u"cannot connect to %1: %2", u"%1 に接続できません: %2"},
    {u"connection refused (is the server running?)",
     u"接続を拒否されました (サーバは動いていますか?)"},
    {u"host name not found", u"ホスト名が見つかりません"},
    {u"no connection within %1 ms (time-out)", u"%1 ms 以内に接続できません (タイムアウト)"},
    {u"the server closed the connection", u"サーバが接続を閉じました"},
    {u"the server closed the connection before the line was set up",
     u"回線の設定前にサーバが接続を閉じました"},
    {u"%1 elapsed", u"経過 %1"},
    {u", %1 left", u"、残り %1"},
}};

} // namespace

QString toolText(const LanguageTables& language, ToolText id) {
    return toolText(language.languageIndex(), id);
}

QString toolText(int languageIndex, ToolText id) {
    return TextOf(kTexts, static_cast<size_t>(id), languageIndex);
}

} // namespace zel
