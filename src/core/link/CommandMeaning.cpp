#include "CommandMeaning.h"

#include "common/HexText.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <functional>

namespace zel {

namespace {

using Describer = std::function<QString(const QByteArray& data, const TitleCharTable& titles)>;

struct CommandForm {
    int code;
    QString name;
    QVector<int> sizes; // data lengths the command has, command code included
    Describer describe;
};

int byteAt(const QByteArray& data, qsizetype index) {
    return static_cast<unsigned char>(data.at(index));
}

QString hexByte(int value) {
    return ByteToHex(value);
}

// Two decimal digits per byte, high digit first; -1 on a nibble above 9.
int packedDecimal(const QByteArray& data, qsizetype from, int byteCount) {
    int value = 0;
    for (int i = 0; i < byteCount; ++i) {
        const int b = byteAt(data, from + i);
        if ((b >> 4) > 9 || (b & 0x0F) > 9)
            return -1;
        value = value * 100 + (b >> 4) * 10 + (b & 0x0F);
    }
    return value;
}

QString packedText(const QByteArray& data, qsizetype from, int byteCount) {
    const int value = packedDecimal(data, from, byteCount);
    return value < 0 ? hexByte(byteAt(data, from)) + QStringLiteral("?") : QString::number(value);
}

// Three decimal digits in "d1 d2 | d3 0"; -1 when they are not.
int threeDigitNumber(const QByteArray& data, qsizetype from) {
    const int high = byteAt(data, from);
    const int low = byteAt(data, from + 1);
    if ((high >> 4) > 9 || (high & 0x0F) > 9 || (low >> 4) > 9 || (low & 0x0F) != 0)
        return -1;
    return (high >> 4) * 100 + (high & 0x0F) * 10 + (low >> 4);
}

QString threeDigitText(const QByteArray& data, qsizetype from) {
    const int value = threeDigitNumber(data, from);
    return value < 0
               ? hexByte(byteAt(data, from)) + hexByte(byteAt(data, from + 1)) + QStringLiteral("?")
               : QString::number(value);
}

int word(const QByteArray& data, qsizetype from) {
    return (byteAt(data, from) << 8) | byteAt(data, from + 1);
}

// The caption of choice `index`, or the byte in hex when there is no such choice.
QString choice(int index, const QStringList& captions) {
    return index >= 0 && index < captions.size() && !captions[index].isEmpty()
               ? captions[index]
               : hexByte(index) + QStringLiteral("?");
}

QString axis(int bits, const char* name, const char* plus, const char* minus, const char* both) {
    const QString label = QLatin1String(name) + QLatin1Char(' ');
    switch (bits) {
    case 1:
        return label + QLatin1String(plus);
    case 2:
        return label + QLatin1String(minus);
    case 3:
        return label + QLatin1String(both);
    default:
        return {};
    }
}

QString speedText(int value) {
    return value == 0x80 ? QStringLiteral("ACC-OFF") : QString::number(value);
}

QString describeMovement(const QByteArray& data, const TitleCharTable&) {
    const int bits = byteAt(data, 1);
    QStringList parts;
    for (const QString& part : {axis(bits >> 2 & 3, "pan", "right", "left", "left+right"),
                                axis(bits & 3, "tilt", "up", "down", "up+down"),
                                axis(bits >> 4 & 3, "zoom", "TELE", "WIDE", "TELE+WIDE"),
                                axis(bits >> 6 & 3, "focus", "FAR", "NEAR", "AF")})
        if (!part.isEmpty())
            parts.append(part);
    if (parts.isEmpty())
        parts.append(QStringLiteral("stop"));
    if (data.size() == 6)
        parts.append(QStringLiteral("speeds %1/%2/%3/%4")
                         .arg(speedText(byteAt(data, 2)), speedText(byteAt(data, 3)),
                              speedText(byteAt(data, 4)), speedText(byteAt(data, 5))));
    return parts.join(QStringLiteral(", "));
}

QString describeAux(const QByteArray& data, const TitleCharTable&) {
    return QStringLiteral("AUX%1 %2")
        .arg(byteAt(data, 1))
        .arg(choice(byteAt(data, 2), {{}, QStringLiteral("OFF"), QStringLiteral("ON")}));
}

QString describeLight(const QByteArray& data, const TitleCharTable&) {
    const QString what =
        choice(byteAt(data, 1), {{}, QStringLiteral("WDR"), QStringLiteral("B/W")});
    return what + QLatin1Char(' ') +
           choice(byteAt(data, 2),
                  {QStringLiteral("RESET"), QStringLiteral("OFF"), QStringLiteral("ON")});
}

QString describeIris(const QByteArray& data, const TitleCharTable&) {
    return QStringLiteral("iris ") +
           choice(byteAt(data, 1),
                  {QStringLiteral("RESET"), QStringLiteral("DARK"), QStringLiteral("BRIGHT")});
}

QString describeAutoPan(const QByteArray& data, const TitleCharTable&) {
    const int way = packedDecimal(data, 1, 1);
    const int turn = packedDecimal(data, 2, 1);
    if (way == 0 && turn == 0)
        return QStringLiteral("auto-pan");
    return QStringLiteral("auto-pan %1 %2")
        .arg(choice(way, {{},
                          QStringLiteral("RE"),
                          QStringLiteral("S"),
                          QStringLiteral("RA"),
                          QStringLiteral("P")}),
             choice(turn, {{}, QStringLiteral("T-R"), QStringLiteral("T-L")}));
}

QString describeMenu(const QByteArray& data, const TitleCharTable&) {
    return QStringLiteral("camera menu ") +
           choice(byteAt(data, 1), {{}, QStringLiteral("close"), QStringLiteral("open")});
}

QString describeMenuSet(const QByteArray& data, const TitleCharTable&) {
    if (byteAt(data, 1) == 0)
        return QStringLiteral("menu cancel");
    if (word(data, 2) == 0xFFFF)
        return QStringLiteral("menu SET");
    return QStringLiteral("menu SET ") + packedText(data, 2, 2);
}

Describer numbered(const char* text, bool threeDigits) {
    return [text, threeDigits](const QByteArray& data, const TitleCharTable&) {
        const QString number =
            data.size() < 2 ? QString()
                            : (threeDigits ? threeDigitText(data, 1) : packedText(data, 1, 1));
        return QLatin1String(text) + number;
    };
}

Describer binaryNumbered(const char* text) {
    return [text](const QByteArray& data, const TitleCharTable&) {
        return QLatin1String(text) + QString::number(byteAt(data, 1));
    };
}

Describer captioned(const char* text, QStringList captions) {
    return [text, captions](const QByteArray& data, const TitleCharTable&) {
        return QLatin1String(text) + choice(byteAt(data, 1), captions);
    };
}

Describer fixed(const char* text) {
    return [text](const QByteArray&, const TitleCharTable&) { return QLatin1String(text); };
}

QString describeGo(const QByteArray& data, const TitleCharTable&) {
    return QStringLiteral("absolute position GO PAN %1 TILT %2 ZOOM %3 D-ZOOM %4")
        .arg(packedText(data, 1, 2), packedText(data, 3, 2))
        .arg(word(data, 5))
        .arg(word(data, 7));
}

QString describeTitle(const QByteArray& data, const TitleCharTable& titles) {
    const QString address = DescribeTitleAddress(data, 1);
    if (data.size() == 4)
        return QStringLiteral("title read ") + address;
    return QStringLiteral("title write ") + address + QLatin1Char(' ') +
           DescribeTitleText(data, 4, titles);
}

QString describeBackup(const QByteArray& data, const TitleCharTable&) {
    return QStringLiteral("backup block %1 (%2)")
        .arg(BlockNumberText(data, 1),
             data.size() == 3 ? QStringLiteral("read") : QStringLiteral("write"));
}

const QVector<CommandForm>& forms() {
    static const QStringList turnModes{QStringLiteral("CLEAR"), QStringLiteral("OFF"),
                                       QStringLiteral("ON")};
    static const QStringList turnMemory{{},
                                        QStringLiteral("L-SET"),
                                        QStringLiteral("R-SET"),
                                        QStringLiteral("U-SET"),
                                        QStringLiteral("D-SET")};
    static const QVector<CommandForm> table{
        {0x20, QStringLiteral("movement"), {2, 6}, describeMovement},
        {0x40, QStringLiteral("stop"), {1}, fixed("STOP")},
        {0x30, QStringLiteral("auxiliary output"), {3}, describeAux},
        {0x6E, QStringLiteral("WDR, B/W"), {3}, describeLight},
        {0x62, QStringLiteral("iris"), {2}, describeIris},
        {0x88, QStringLiteral("alarm action"), {1}, fixed("alarm ACTION")},
        {0x89, QStringLiteral("alarm reset"), {1}, fixed("alarm RESET")},
        {0x41, QStringLiteral("auto-pan"), {3}, describeAutoPan},
        {0xA8, QStringLiteral("camera menu"), {2}, describeMenu},
        {0xA9, QStringLiteral("menu set, cancel"), {4}, describeMenuSet},
        {0x10, QStringLiteral("go to position"), {3}, numbered("go to position ", true)},
        {0x11, QStringLiteral("store position"), {3}, numbered("store position ", true)},
        {0x12, QStringLiteral("clear position"), {3}, numbered("clear position ", true)},
        {0x48, QStringLiteral("trace run"), {2}, numbered("run trace ", false)},
        {0x49, QStringLiteral("trace record"), {2}, numbered("record trace ", false)},
        {0x4A, QStringLiteral("trace record stop"), {1}, fixed("stop trace recording")},
        {0x4C, QStringLiteral("trace clear"), {2}, numbered("clear trace ", false)},
        {0x4D, QStringLiteral("tour"), {2}, binaryNumbered("tour ")},
        {0x21, QStringLiteral("turn limit"), {2}, captioned("turn limit ", turnModes)},
        {0x22, QStringLiteral("turn limit memory"), {2}, captioned("turn limit ", turnMemory)},
        {0x42,
         QStringLiteral("auto-pan limit set"),
         {2},
         captioned("auto-pan limit ", {{}, QStringLiteral("R-SET"), QStringLiteral("L-SET")})},
        {0x43,
         QStringLiteral("auto-pan limit clear"),
         {2},
         captioned("auto-pan limit ", {{}, QStringLiteral("R-CL"), QStringLiteral("L-CL")})},
        {0x14, QStringLiteral("absolute position GO"), {9}, describeGo},
        {0x15, QStringLiteral("absolute position NOW"), {1}, fixed("absolute position NOW")},
        {0xB1, QStringLiteral("title"), {4, 20}, describeTitle},
        {0xC1, QStringLiteral("backup block"), {3, 35}, describeBackup},
    };
    return table;
}

const CommandForm* formOf(int code) {
    for (const CommandForm& form : forms())
        if (form.code == code)
            return &form;
    return nullptr;
}

} // namespace

const QVector<CommandName>& KnownCommands() {
    static const QVector<CommandName> names = [] {
        QVector<CommandName> list;
        for (const CommandForm& form : forms())
            list.append({form.code, form.name});
        return list;
    }();
    return names;
}

QString CommandNameOf(int code) {
    const CommandForm* form = formOf(code);
    return form ? form->name : QStringLiteral("command ") + hexByte(code & 0xFF);
}

QString DescribeCommand(const QByteArray& data, const TitleCharTable& titles) {
    if (data.isEmpty())
        return QStringLiteral("no command data");
    const int code = byteAt(data, 0);
    const CommandForm* form = formOf(code);
    if (!form)
        return QStringLiteral("command %1, %2 data bytes").arg(hexByte(code)).arg(data.size());
    if (!form->sizes.contains(static_cast<int>(data.size())))
        return QStringLiteral("%1 (command %2) with %3 data bytes, not a length it has")
            .arg(form->name, hexByte(code))
            .arg(data.size());
    return form->describe(data, titles);
}

QString DescribeTitleAddress(const QByteArray& data, qsizetype at) {
    if (data.size() < at + 3)
        return QStringLiteral("?");
    const int category = TitleCategoryForCameraCode(byteAt(data, at));
    QString text = category < 0
                       ? QStringLiteral("category ") + hexByte(byteAt(data, at))
                       : QString(TitleCategoryAt(category).sectionHeader).mid(1).chopped(1);
    const int number = threeDigitNumber(data, at + 1);
    if (category < 0 || !TitleCategoryAt(category).isTextBox || number != 0)
        text += QLatin1Char(' ') + threeDigitText(data, at + 1);
    return text;
}

QString DescribeTitleText(const QByteArray& data, qsizetype at, const TitleCharTable& titles) {
    constexpr int kCodeBytes = 16;
    if (data.size() < at + kCodeBytes)
        return QStringLiteral("?");
    const QString codes = BytesToHexText(data.mid(at, kCodeBytes));
    return QLatin1Char('"') + titles.TitleCodesToText(codes) + QLatin1Char('"');
}

QString BlockNumberText(const QByteArray& data, qsizetype at) {
    if (data.size() < at + 2)
        return QStringLiteral("?");
    return hexByte(byteAt(data, at)) + hexByte(byteAt(data, at + 1));
}

} // namespace zel
