#include "SRecordMaker.h"

#include <QDir>
#include <QSaveFile>
#include <algorithm>

namespace zel::sim {

namespace {

int addressBytes(int type) {
    switch (type) {
    case 2:
    case 8:
        return 3;
    case 3:
    case 7:
        return 4;
    default:
        return 2;
    }
}

int terminationFor(int dataType) {
    return dataType == 3 ? 7 : dataType == 2 ? 8 : 9;
}

} // namespace

QByteArray MakeSRecordLine(int type, quint32 address, const QByteArray& data) {
    const int width = addressBytes(type);
    QByteArray body;
    body.append(char(width + data.size() + 1)); // byte count
    for (int i = width - 1; i >= 0; --i)
        body.append(char((address >> (8 * i)) & 0xFF));
    body.append(data);
    quint8 sum = 0;
    for (const char byte : body)
        sum = quint8(sum + quint8(byte));
    body.append(char(quint8(~sum)));
    return "S" + QByteArray::number(type) + body.toHex().toUpper();
}

QByteArray MakeSRecords(quint32 base, const QByteArray& data, const SRecordStyle& style) {
    const int perRecord = std::clamp(style.bytesPerRecord, 1, 250);
    QByteArray text = MakeSRecordLine(0, 0, "zel") + style.lineEnd;
    for (qsizetype offset = 0; offset < data.size(); offset += perRecord)
        text +=
            MakeSRecordLine(style.dataType, base + quint32(offset), data.mid(offset, perRecord)) +
            style.lineEnd;
    text += MakeSRecordLine(terminationFor(style.dataType), base, {}) + style.lineEnd;
    return text;
}

QByteArray MakeStandInBootProgram(bool master) {
    QByteArray program(2048, char(0xFF));
    for (int i = 0; i < 1024; ++i)
        program[i] = char((i * 31 + (master ? 7 : 11)) & 0xFF);
    return program;
}

bool WriteStandInBootFiles(const QString& folder, QString* error) {
    const struct {
        const char* name;
        quint32 base;
        bool master;
    } files[] = {{"ZARNIPEX2633.MOT", 0xFFC000, true}, {"ZARNIPEX2398.MOT", 0xFFE400, false}};
    for (const auto& file : files) {
        const QString path = QDir(folder).filePath(QString::fromLatin1(file.name));
        QSaveFile out(path);
        const QByteArray text = MakeSRecords(file.base, MakeStandInBootProgram(file.master));
        if (!out.open(QIODevice::WriteOnly) || out.write(text) != text.size() || !out.commit()) {
            if (error)
                *error = QStringLiteral("%1: %2").arg(path, out.errorString());
            return false;
        }
    }
    return true;
}

} // namespace zel::sim
