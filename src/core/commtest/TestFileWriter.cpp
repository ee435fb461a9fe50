#include "TestFileWriter.h"

#include "TestScreen.h"
#include "common/TextFile.h"

namespace zel {

namespace {

const QChar kTab = QLatin1Char('\t');

QString flag(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QStringList settingLines(const TestScreen& screen) {
    return {QStringLiteral(":---------通信テスト画面情報---------"),
            screen.hostNo + QStringLiteral(":リモコン番号"),
            screen.camNo + QStringLiteral(":カメラ番号"),
            flag(screen.continuous) + QStringLiteral(":連続送信チェック"),
            screen.interval + QStringLiteral(":時間間隔"),
            flag(screen.freeFormat) + QStringLiteral(":フリーフォーマット")};
}

} // namespace

QStringList TestFileWriter::sendDataLines(const TestScreen& screen) {
    QStringList lines = settingLines(screen);
    lines << QStringLiteral(":---------通信テスト送信データ---------")
          << QStringLiteral(":書/呼 送信データ");
    for (int rowNo = 1; rowNo <= TestScreen::kRowCount; ++rowNo) {
        const TestRow& row = screen.row(rowNo);
        lines << row.letter() + kTab + row.text + kTab;
    }
    lines << QString();
    return lines;
}

QStringList TestFileWriter::resultLines(const TestScreen& screen) {
    QStringList lines = settingLines(screen);
    lines << QStringLiteral(":---------通信テスト送受信データ---------")
          << QStringLiteral(":書/呼 送受信データ");
    for (int rowNo = 1; rowNo <= TestScreen::kRowCount; ++rowNo) {
        const TestRow& row = screen.row(rowNo);
        lines << row.letter() + kTab + QStringLiteral("送信データ") + kTab + row.text;
        lines << kTab + QStringLiteral("受信データ") + kTab + row.reply;
    }
    lines << QString();
    return lines;
}

bool TestFileWriter::saveSendData(const QString& path, const TestScreen& screen, QString* error) {
    return WriteTextFile(path, sendDataLines(screen), error);
}

bool TestFileWriter::saveResults(const QString& path, const TestScreen& screen, QString* error) {
    return WriteTextFile(path, resultLines(screen), error);
}

} // namespace zel
