// Captions of the menu, the screens and the dialogs.
#include "LanguageTexts.h"

namespace zel::lang {

TextList menuTexts() {
    return {
        {u"Operation Panel", u"操作パネル"},
        {u"Title", u"タイトル設定"},
        {u"Backup", u"設定データバックアップ"},
        {u"CPU WRITER"},
        {u"Communication setting", u"通信設定"},
        {u"Exit", u"終了"},
        {u"CAMERA CONTROLLER"},
    };
}

TextList titleSetTexts() {
    return {
        {u"DOWNLOAD"},
        {u"UPLOAD"},
        {u"ID setting", u"ID入力画面"},
        {u"REMOTE No."},
        {u"CAMERA No."},
        {u"CAMERA to PC", u"CAMERA → PC"},
        {u"PC to CAMERA", u"PC → CAMERA"},
        {u"CAMERA ID"},
        {u"AUTO PAN ID"},
        {u"File", u"ファイル(&F)"},
        {u"New", u"新規作成(&N)"},
        {u"Open…", u"開く(&O)"},
        {u"Close", u"閉じる(&C)"},
        {u"Save", u"上書き保存(&S)"},
        {u"Save as", u"名前を付けて保存(&A)"},
        {u"Print", u"印刷(&P)"},
        {u"All ID are downloaded.", u"全ID DOWNLOAD"},
        {u"All ID are uploaded.", u"全ID UPLOAD"},
        {u"Edit", u"編集(&E)"},
        {u"Undo", u"元に戻す(&Z)"},
        {u"Cut", u"切り取り(&X)"},
        {u"Copy", u"コピー(&C)"},
        {u"Paste", u"貼り付け(&V)"},
        {u"Search", u"検索(&F)"},
        {u"Replace", u"置換(&R)"},
        {u"Tool", u"ツール(&T)"},
        {u"Check", u"チェック"},
        {u"Sort", u"ソート"},
        {u"CAMERA ID"},
        {u"POSITION ID"},
        {u"TRACE ID"},
        {u"AUTO PAN ID"},
        {u"TOUR ID"},
        {u"HOME ID"},
        {u"ALARM ID"},
        {u"SECTOR ID"},
        {u"AUX ID"},
        {u"POSITION No."},
        {u"TRACE No."},
        {u"TOUR No."},
        {u"HOME No."},
        {u"ALARM No."},
        {u"SECTOR No."},
        {u"AUX No."},
    };
}

TextList backupTexts() {
    return {
        {u"DOWNLOAD"},
        {u"Exit", u"終了"},
        {u"UPLOAD"},
        {u"Data Back Up", u"データバックアップ"},
        {u"CAMERA No."},
        {u"CAMERA to PC", u"CAMERA → PC"},
        {u"PC to CAMERA", u"PC → CAMERA"},
        {u"Verification after UPLOAD", u"UPLOAD後のベリファイ"},
    };
}

TextList cpuWriterTexts() {
    return {
        {u"OPEN"},
        {u"WRITE"},
        {u"CPU WRITER"},
        {u"CPU TYPE"},
        {u"FILE NAME"},
        {u"Close", u"閉じる(&C)"},
        {u"Write Enable", u"書き込み実行"},
        {u"Exit", u"終了(&X)"},
        {u"File", u"ファイル(&F)"},
        {u"Open", u"開く(&O)"},
        {u"Write", u"書き込み(&W)"},
    };
}

TextList optionTexts() {
    return {
        {u"Communication setting", u"通信設定"},
        {u"Communication port", u"通信ポート"},
        {u"Baud rate", u"通信速度"},
        {u"Automatic save", u"自動セーブ"},
        {u"COM1"},
        {u"COM2"},
        {u"COM3"},
        {u"COM4"},
        {u"4800bps"},
        {u"9600bps"},
        {u"19200bps"},
        {u"38400bps"},
        {u"OFF"},
        {u"3min", u"3分"},
        {u"5min", u"5分"},
        {u"10min", u"10分"},
        {u"Setting", u"設定"},
        {u"Exit", u"終了"},
    };
}

TextList findTexts() {
    return {
        {u"Search character string", u"文字列の検索"},
        {u"Character string to be searched", u"検索する文字列"},
        {u"The character string to accord completely is searched.",
         u"完全に一致する文字列のみ検索"},
        {u"Search", u"検索"},
        {u"Cancel", u"取消"},
    };
}

TextList replaceTexts() {
    return {
        {u"Replace", u"置換"},
        {u"Character string to be searched", u"検索する文字列"},
        {u"Character string after replaced", u"置換後の文字列"},
        {u"The character string to accord completely is searched.",
         u"完全に一致する文字列のみ検索"},
        {u"Search", u"検索"},
        {u"Replace", u"置換"},
        {u"Replace All", u"全て置換"},
        {u"Undo", u"取消"},
    };
}

TextList transMitTexts() {
    return {
        {u"Cancel", u"キャンセル"},
        {u"Close", u"閉じる"},
        {u"In transmission", u"転送中"},
        {u"In saving", u"保存しています...."},
        {u"File name", u"ファイル名"},
        {u"Save as", u"DOWNLOAD先"},
        {u"Save is completed.", u"保存しました"},
    };
}

TextList splashTexts() {
    return {
        {u"CAMERA CONTROLLER"},
        // Line breaks only between phrases: a label would break Japanese inside a word.
        {u"Service tool for camera controllers\nand PTZ cameras on an RS-232C line.",
         u"RS-232C回線で接続した\nカメラコントローラとカメラの保守ツールです。"},
    };
}

} // namespace zel::lang
