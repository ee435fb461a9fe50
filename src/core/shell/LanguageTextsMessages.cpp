// Message titles and texts, and the pieces other screens join into messages 4, 14, 17, 18.
#include "LanguageTexts.h"
#include "common/MessageNumber.h"

#include <array>

namespace zel::lang {

namespace {

struct MessageTexts {
    TextPair title;
    TextPair text;  // {nullptr}: the message shows the caller's text only
    TextPair text2; // second line (message 36)
};

constexpr int kMessageGroupSize = 54;

const TextPair kCommError{u"Communication error", u"通信エラー"};
const TextPair kComm{u"Communication", u"通信"};
const TextPair kFileInput{u"File input error", u"ファイル入力異常"};
const TextPair kConfirm{u"Confirmation Message", u"確認メッセージ"};
const TextPair kCheck{u"Check result", u"チェック結果"};
const TextPair kCpu{u"CPU WRITER"};
const TextPair kNone{nullptr};

const std::array<MessageTexts, kMessageCount>& table() {
    static const std::array<MessageTexts, kMessageCount> messages{{
        {kFileInput, {u"Keep file reading ?", u"ファイル読み込みを続けますか？"}, kNone}, // 1
        {kCommError, {u"Timeout error", u"タイムアウトエラーが発生しました。"}, kNone},
        {kComm, {u"NACK is received.", u"NACKを受信しました。"}, kNone},
        {{u"Error message", u"エラーメッセージ"}, kNone, kNone},
        {{u"送信データ異常"}, {u"連続送信できるデータがありません。"}, kNone}, // 5
        {kCommError, {u"COM port open error", u"回線オープンエラー"}, kNone},
        {kConfirm,
         {u"Setting data changed. Save the data ?",
          u"設定値が変更されています。設定値を記録しますか？"},
         kNone},
        {{u"Main Menu", u"メインメニュー"},
         {u"End current window in use.", u"現在使用中の画面を終了してください。"},
         kNone},
        {{u"連続送信"}, {u"連続送信中です。"}, kNone},
        {kConfirm,
         {u"This application already started.", u"このアプリケーションはすでに起動されています。"},
         kNone}, // 10
        {{u"Search character string", u"文字列の検索"},
         {u"Reached the last line.", u"検索が最後の行に到達しました。"},
         kNone},
        {{u"Print Error", u"印刷エラー"},
         {u"No Database File exists.", u"データベースファイルが存在しません。"},
         kNone},
        {kCommError, {u"Receiving data too large", u"受信データのサイズが大き過ぎます。"}, kNone},
        {{u"Replace", u"置換"}, kNone, kNone},
        {kConfirm, {u"No Setting File exists.", u"設定ファイルが存在しません。"}, kNone}, // 15
        {kCommError, {u"Receiving data error.", u"受信データエラー"}, kNone},
        {kCheck, kNone, kNone},
        {kCheck, kNone, kNone},
        {{u"Title setting", u"タイトル設定"},
         {u"Save the data in edit ?", u"編集中のデータを保存しますか?"},
         kNone},
        {kFileInput, {u"No more data is read.", u"以降のデータは読み込みません。"}, kNone}, // 20
        {kComm, {u"\"BUSY\" is received.", u"BUSYを受信しました。"}, kNone},
        {kCommError, {u"Verification Error", u"ベリファイエラー"}, kNone},
        {kFileInput, {u"Already opened", u"既に開かれています。"}, kNone},
        {kFileInput, {u"Cannot be saved at the file.", u"ファイルに保存できません。"}, kNone},
        {kFileInput, {u"File incorrect", u"指定ファイルが違います。"}, kNone}, // 25
        {kCpu, {u"In programing", u"CPU書き込み中です。"}, kNone},
        {kCpu,
         {u"Select application file.", u"アプリケーションファイルを選択してください。"},
         kNone},
        {kCpu,
         {u"No control program for writing exists.", u"書き込み制御プログラムが存在しません。"},
         kNone},
        {kCpu,
         {u"Control program for writing reads error", u"書き込み制御プログラム読み込みエラー"},
         kNone},
        {kCpu,
         {u"No application program exists.", u"アプリケーションプログラムが存在しません。"},
         kNone}, // 30
        {kCpu,
         {u"Application program reads error", u"アプリケーションプログラム読み込みエラー"},
         kNone},
        {kCpu, {u"Flash erase error", u"フラッシュ消去エラー"}, kNone},
        {kCpu, {u"Flash write error", u"フラッシュ書き込みエラー"}, kNone},
        {kCpu, {u"Error:Cpu is not connected.", u"CPU未接続エラー"}, kNone},
        {kCpu, {u"Cpu communication error", u"CPU通信エラー"}, kNone}, // 35
        {kConfirm,
         {u"Other window in action", u"他画面起動中です。"},
         {u"End current window in action", u"起動中の画面を終了してください。"}},
    }};
    return messages;
}

// Pieces first (in MessagePiece order), then the table texts of the messages in number order.
TextList pieces() {
    return {
        {u"REMOTE No. incorrect", u"REMOTE No.が不正です。"},
        {u"CAMERA No. incorrect", u"CAMERA No.が不正です。"},
        {u"File name too long.", u"ファイル名が大き過ぎます。"},
        {u" to ", u"～"},
        {u" Setting data is beyond the setting range", u"の設定範囲を超えています。"},
        {u"No Input Data", u"数値が入力されていません。"},
        {u"\"input character error          \"", u"1：文字入力エラー"},
        {u"\"exceeded character number\"", u"2：文字数オーバー"},
        {u" titles ", u"件"},
        {u"Error", u"エラーが発生しました"},
        {u" pieces replaced.", u"個置換しました"},
        {u"No Error", u"エラーはありませんでした"},
    };
}

} // namespace

TextList messageTexts() {
    TextList texts = pieces();
    for (const MessageTexts& message : table()) {
        if (message.text.en)
            texts.push_back(message.text);
        if (message.text2.en)
            texts.push_back(message.text2);
    }
    texts.resize(kMessageGroupSize, TextPair{u""}); // the rest of the group stays empty
    return texts;
}

std::pair<int, int> messageTextSlots(int number) {
    if (number < 1 || number > kMessageCount)
        return {-1, -1};
    int slot = static_cast<int>(pieces().size());
    for (int i = 0; i < number - 1; ++i)
        slot += (table()[i].text.en ? 1 : 0) + (table()[i].text2.en ? 1 : 0);
    const MessageTexts& message = table()[number - 1];
    if (!message.text.en)
        return {-1, -1};
    return {slot, message.text2.en ? slot + 1 : -1};
}

TextPair messageTitle(int number) {
    if (number < 1 || number > kMessageCount)
        return TextPair{u""};
    return table()[number - 1].title;
}

} // namespace zel::lang
