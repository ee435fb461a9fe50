#include "MistakenTargets.h"

#include "common/Cp932.h"

#include <QDir>
#include <QFile>
#include <unistd.h>

namespace zel::test {

QByteArray SendDataFileBytes(bool continuous) {
    QString text = QStringLiteral(":---------通信テスト画面情報---------\r\n1:リモコン番号\r\n"
                                  "1:カメラ番号\r\n%1:連続送信チェック\r\n0:時間間隔\r\n"
                                  "0:フリーフォーマット\r\n:---------通信テスト送信データ---------"
                                  "\r\nW\t2000\t\r\n")
                       .arg(continuous ? 1 : 0);
    for (int row = 1; row < 16; ++row)
        text += QStringLiteral("W\t\t\r\n");
    return TextToCp932(text + QStringLiteral("\r\n")).value_or(QByteArray());
}

QString ReadOnlyFolder(const QString& parent) {
    const QString folder = QDir(parent).filePath(QStringLiteral("locked"));
    QDir().mkpath(folder);
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (::access(QFile::encodeName(folder).constData(), W_OK) != 0)
        return folder;
    return QStringLiteral("/proc/self");
}

} // namespace zel::test
