#pragma once
// The text of a send-data file (.trf) for tests that run the communication test.
#include <QStringList>

namespace zel::test {

// The screen settings section and the heading of the rows.
inline QString settingLines(const char* remote, const char* camera, const char* continuous = "0",
                            const char* interval = "0") {
    return QStringLiteral(":---------通信テスト画面情報---------\r\n") +
           QString::fromLatin1(remote) + QStringLiteral(":リモコン番号\r\n") +
           QString::fromLatin1(camera) + QStringLiteral(":カメラ番号\r\n") +
           QString::fromLatin1(continuous) + QStringLiteral(":連続送信チェック\r\n") +
           QString::fromLatin1(interval) + QStringLiteral(":時間間隔\r\n") +
           QStringLiteral("0:フリーフォーマット\r\n:---------通信テスト送信データ---------\r\n");
}

// Rows 1..n as given, the rest of the 16 empty and out of use.
inline QString rowLines(const QStringList& rows) {
    QString text;
    for (int row = 0; row < 16; ++row)
        text += (row < rows.size() ? rows[row] : QStringLiteral("W\t\t")) + QStringLiteral("\r\n");
    return text + QStringLiteral("\r\n");
}

} // namespace zel::test
