#pragma once
// The send-data file (.trf) and the send-and-receive result file (.rsl), CP932, CR LF.
//
// .trf, one line each:
//   1      ":---------通信テスト画面情報---------"
//   2..6   REMOTE No. ":リモコン番号", CAMERA No. ":カメラ番号", continuous check
//          ":連続送信チェック", interval ":時間間隔", free-format check ":フリーフォーマット"
//   7, 8   ":---------通信テスト送信データ---------", ":書/呼 送信データ"
//   9..24  rows 1..16: W or R, tab, row text, tab (every row, used or not)
//   25     empty
// .rsl: lines 1..6 as above, ":---------通信テスト送受信データ---------",
//   ":書/呼 送受信データ", per row "W|R\t送信データ\t<text>" and "\t受信データ\t<reply>",
//   then an empty line.
#include <QString>
#include <QStringList>

namespace zel {

class TestScreen;

class TestFileWriter {
public:
    static QStringList sendDataLines(const TestScreen& screen);
    static QStringList resultLines(const TestScreen& screen);

    // The whole file in one go; false with the reason in `error`, the old file kept.
    static bool saveSendData(const QString& path, const TestScreen& screen, QString* error);
    static bool saveResults(const QString& path, const TestScreen& screen, QString* error);
};

} // namespace zel
