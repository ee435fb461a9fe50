#include "CliTexts.h"

#include "shell/LanguageTables.h"
#include "shell/TextPairs.h"

namespace zel::cli {

namespace {

constexpr std::array<TextPair, static_cast<size_t>(CliText::Count)> kTexts{{
    {u"blocks", u"ブロック"},
    {u"titles", u"タイトル"},
    {u"cameras", u"台"},
    {u"rows", u"行"},
    {u"steps", u"ステップ"},
    {u"%1/%2 %3, %4", u"%1/%2 %3、%4"},
    {u"camera %1", u"カメラ %1"},
    {u"scan", u"スキャン"},
    {u" [answered No; --yes answers Yes]", u" [いいえと回答; --yes で「はい」]"},
    {u" [answered Yes: --yes]", u" [はいと回答: --yes]"},
    {u"on %1", u"ポート %1"},
    {u"nothing answered on %1; if the cameras are on another port, give --port DEVICE "
     u"(zelctl ports lists the serial ports)",
     u"%1 で応答がありません。カメラが別のポートにつながっている場合は --port DEVICE "
     u"を指定してください (zelctl ports でシリアルポートの一覧を表示)"},
    {u" (COM%1 of the settings)", u" (設定の COM%1)"},
    {u"%1 has %2 bytes; a backup holds %3", u"%1 は %2 バイトです。バックアップは %3 バイトです"},
    {u" (zelctl srec --info %1 shows what it holds)", u" (zelctl srec --info %1 で内容を表示)"},
    {u"%1 is not a folder that can be written: its parent folder %2 does not exist",
     u"%1 は書き込めるフォルダではありません: 親フォルダ %2 がありません"},
    {u"%1 is not a folder that can be written", u"%1 は書き込めるフォルダではありません"},
    {u"camera  answer    title", u"カメラ  応答      タイトル"},
    {u"%1 of %2 cameras answer", u"%2 台中 %1 台が応答"},
    {u"unknown option '%1'", u"不明なオプション '%1'"},
    {u"%1 needs a value", u"%1 には値が必要です"},
    {u"%1 takes no value", u"%1 に値は指定できません"},
    {u"the arguments cannot be read", u"引数を読み取れません"},
    {u" (see --help)", u" (--help を参照)"},
    {u"unknown command '%1' (see --help)", u"不明なコマンド '%1' (--help を参照)"},
    {u"%1 must be a number from %2 to %3 (got '%4')",
     u"%1 は %2 から %3 までの数で指定してください (指定値 '%4')"},
    {u"%1 takes no arguments (got '%2')", u"%1 に引数は指定できません (指定値 '%2')"},
    {u"%1 is required", u"%1 を指定してください"},
    {u"only one %1 may be given", u"%1 は一つだけ指定できます"},
    {u"%1 belongs to %2", u"%1 は %2 のオプションです"},
    {u" and ", u" と "},
    {u"--rate must be 4800, 9600, 19200 or 38400",
     u"--rate は 4800、9600、19200、38400 のいずれかです"},
    {u"--lang must be en or ja", u"--lang は en か ja です"},
    {u"file written: %1", u"書き込んだファイル: %1"},
    {u"Sending rows", u"行を送信中"},
    {u"the serial port went away: %1", u"シリアルポートが切断されました: %1"},
    {u"interrupted: %1 of %2 blocks kept in %3; %4 left as it was",
     u"中断しました: %2 ブロック中 %1 ブロックを %3 に保存しました。%4 は元のままです"},
    {u"interrupted: %1 stopped after %2 of %3 blocks of %4",
     u"中断しました: %4 の %1 は %3 ブロック中 %2 ブロックで止まりました"},
    {u"backup diff: interrupted; nothing compared", u"backup diff: 中断しました。比較していません"},
    {u"%1 was not written (an earlier file stays as it was)",
     u"%1 は書き込んでいません (以前のファイルは元のままです)"},
    {u"flash: interrupted before the CPU erased its flash; nothing was written",
     u"flash: CPU がフラッシュを消去する前に中断しました。何も書き込んでいません"},
    {u"flash: interrupted after %1 of %2 blocks; the camera's CPU holds a partial program; "
     u"put it in boot mode and run flash again",
     u"flash: %2 ブロック中 %1 ブロックで中断しました。カメラの CPU のプログラムは途中までです。"
     u"ブートモードにして flash をもう一度実行してください"},
    {u"interrupted while connecting to %1; nothing was sent",
     u"%1 への接続中に中断しました。何も送信していません"},
    {u"interrupted; nothing was waiting for an answer",
     u"中断しました。応答待ちはありませんでした"},
    {u"interrupted while waiting for the answer (%1); nothing was kept",
     u"応答待ちの間に中断しました (%1)。何も保存していません"},
    {u"panel: interrupted by %1; camera %2 stopped",
     u"panel: %1 で中断しました。カメラ %2 を停止しました"},
    {u"panel: interrupted by %1; nothing was moving",
     u"panel: %1 で中断しました。動作中のものはありませんでした"},
    {u"interrupted: %1 of %2 cameras not reached", u"中断しました: %2 台中 %1 台は未実行です"},
    {u"interrupted after %1 of %2 titles; %3", u"%2 タイトル中 %1 タイトルで中断しました。%3"},
    {u"%1 was not written", u"%1 は書き込んでいません"},
}};

} // namespace

QString cliText(const LanguageTables& language, CliText id) {
    return cliText(language.languageIndex(), id);
}

QString cliText(int languageIndex, CliText id) {
    return TextOf(kTexts, static_cast<size_t>(id), languageIndex);
}

} // namespace zel::cli
