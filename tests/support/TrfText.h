#pragma once
// The text of a send-data file (.trf) for tests that run the communication test.
#include <QStringList>

namespace zel::test {

// The screen settings section and the heading of the rows.
inline QString settingLines(const char* remote, const char* camera, const char* continuous = "0",
                            const char* interval = "0") {
    return u":---------通信テスト画面情報---------\r\n%1:リモコン番号\r\n%2:カメラ番号\r\n"
           "%3:連続送信チェック\r\n%4:時間間隔\r\n0:フリーフォーマット\r\n"
           ":---------通信テスト送信データ---------\r\n"_qs.arg(
               QString::fromLatin1(remote), QString::fromLatin1(camera),
               QString::fromLatin1(continuous), QString::fromLatin1(interval));
}

// Rows 1..n as given, the rest of the 16 empty and out of use.
inline QString rowLines(const QStringList& rows) {
    QString text;
    for (int row = 0; row < 16; ++row)
        text += (row < rows.size() ? rows[row] : u"W\t\t"_qs) + u"\r\n"_qs;
    return text + u"\r\n"_qs;
}

} // namespace zel::test
