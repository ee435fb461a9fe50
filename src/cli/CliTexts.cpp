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
    {u"%1/%2 %3, %4 elapsed", u"%1/%2 %3、経過 %4"},
    {u", %1 left", u"、残り %1"},
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
}};

} // namespace

QString cliText(const LanguageTables& language, CliText id) {
    return TextOf(kTexts, static_cast<size_t>(id), language.languageIndex());
}

} // namespace zel::cli
