// File labels, report labels, file dialog texts and transfer progress labels.
#include "LanguageTexts.h"

namespace zel::lang {

TextList titleFileLabelTexts() {
    return {
        {u":Controller No", u":リモコン番号"},
        {u":Camera No", u":カメラ番号"},
    };
}

TextList reportHeaderTexts() {
    return {{u"ID"}};
}

TextList titleReportTexts() {
    return {
        {u"Title setting", u"タイトル設定"},
        {u"Title setting", u"タイトル設定"},
        {u"CAMERA No.："},
        {u"REMOTE No.："},
        {u"Title", u"タイトル"},
    };
}

// The first text is a copy of the title window's caption, filled in by the table.
TextList titleFileDialogTexts() {
    return {
        {u""},
        {u"Open Title Setting File", u"タイトル設定ファイルを開く"},
        {u"Title Setting File(*.ttl)", u"タイトル設定ファイル(*.ttl)"},
        {u"All Files(*.*)", u"すべてのファイル(*.*)"},
        {u"Title setting file save as…", u"タイトル設定ファイル 名前を付けて保存"},
    };
}

TextList backupFileDialogTexts() {
    return {
        {u"CAMERA to PC Save as", u"CAMERA→PC 名前を付けて保存"},
        {u"Back Up File(*.bin)", u"バックアップファイル(*.bin)"},
        {u"All Files(*.*)", u"すべてのファイル(*.*)"},
        {u"PC to CAMERA  Open", u"PC→CAMERA ファイルを開く"},
    };
}

TextList srecFileDialogTexts() {
    return {
        {u"Open", u"ファイルを開く"},
        {u"S recode file(*.mot)", u"モトローラファイル(*.mot)"},
        {u"All Files(*.*)", u"すべてのファイル(*.*)"},
    };
}

TextList progressLabelTexts() {
    return {
        {u"In DOWNLOAD", u"DOWNLOAD中"},
        {u"In UPLOAD", u"UPLOAD中"},
        {u"In saving", u"保存しています..."},
        {u"Save as", u"DOWNLOAD先"},
        {u"Save is completed.", u"保存しました"},
        {u"In transmission", u"転送しています"},
        {u"Transmission is completed.", u"転送の完了"},
        {u"In verification", u"ベリファイ中"},
        {u""},
        {u"Verification is completed.", u"ベリファイの完了"},
        {u"DOWNLOAD is completed.", u"DOWNLOADの完了"},
        {u"UPLOAD is completed.", u"UPLOADの完了"},
    };
}

} // namespace zel::lang
