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
}};

} // namespace

QString cliText(const LanguageTables& language, CliText id) {
    return cliText(language.languageIndex(), id);
}

QString cliText(int languageIndex, CliText id) {
    return TextOf(kTexts, static_cast<size_t>(id), languageIndex);
}

} // namespace zel::cli
