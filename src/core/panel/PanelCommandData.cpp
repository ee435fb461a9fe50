#include "PanelCommandData.h"

#include "common/HexText.h"

namespace zel::panel {

namespace {

constexpr int kFourDigitLimit = 9999;
constexpr int kWordLimit = 0xFFFF;

// Packed decimal: `value` with `digits` decimal digits, which are also its hex text.
QString packedDecimal(int value, int digits) {
    return QStringLiteral("%1").arg(value, digits, 10, QLatin1Char('0'));
}

QString binaryWord(int value) {
    return ByteToHex((value >> 8) & 0xFF) + ByteToHex(value & 0xFF);
}

} // namespace

QString BitsToHexByte(const QString& bits) {
    int value = 0;
    for (qsizetype i = 0; i < bits.size() && i < 8; ++i)
        if (bits.at(bits.size() - 1 - i) == QLatin1Char('1'))
            value |= 1 << i;
    return ByteToHex(value);
}

QString CodeText(int code) {
    return ByteToHex(code & 0xFF);
}

QString MoveData(const QString& focusBits, const QString& zoomBits, const QString& panBits,
                 const QString& tiltBits, const std::optional<SpeedBytes>& speeds) {
    QString data = CodeText(CodeMove) + BitsToHexByte(focusBits + zoomBits + panBits + tiltBits);
    if (speeds)
        data += ByteToHex(speeds->pan & 0xFF) + ByteToHex(speeds->tilt & 0xFF) +
                ByteToHex(speeds->zoom & 0xFF) + ByteToHex(speeds->focus & 0xFF);
    return data;
}

QString AuxData(int output, int index) {
    return CodeText(CodeAux) + ByteToHex(output & 0xFF) + ByteToHex(index & 0xFF);
}

QString WdrData(int index) {
    return CodeText(CodeWdrBw) + QStringLiteral("01") + ByteToHex(index & 0xFF);
}

QString BwData(int index) {
    return CodeText(CodeWdrBw) + QStringLiteral("02") + ByteToHex(index & 0xFF);
}

QString IrisData(int index) {
    return CodeText(CodeIris) + ByteToHex(index & 0xFF);
}

QString AlarmData(bool action) {
    return CodeText(action ? CodeAlarmAction : CodeAlarmReset);
}

QString StopData() {
    return CodeText(CodeStop);
}

QString AutoPanData(bool presetKeyActive, int way, int turn) {
    if (!presetKeyActive)
        return CodeText(CodeAutoPan) + QStringLiteral("0000");
    return CodeText(CodeAutoPan) + packedDecimal(way % 100, 2) + packedDecimal(turn % 100, 2);
}

QString MenuData(const QString& menuState) {
    return CodeText(CodeMenu) +
           (menuState == QStringLiteral("2") ? QStringLiteral("01") : QStringLiteral("02"));
}

QString MenuSetData(std::optional<int> number) {
    const QString head = CodeText(CodeMenuSet) + QStringLiteral("01");
    if (!number || *number < 0 || *number > kFourDigitLimit)
        return head + QStringLiteral("FFFF");
    return head + packedDecimal(*number, 4);
}

QString MenuCancelData() {
    return CodeText(CodeMenuSet) + QStringLiteral("000000");
}

QString PositionData(int code, int position) {
    return CodeText(code) + packedDecimal(position % 1000, 3) + QLatin1Char('0');
}

QString TraceData(const QString& entry) {
    const QChar last = entry.isEmpty() ? QLatin1Char('0') : entry.back();
    return CodeText(CodeTrace) + QLatin1Char('0') + last;
}

QString TraceRecordData(int trace) {
    return CodeText(CodeTraceRecord) + packedDecimal(trace % 100, 2);
}

QString TraceRecordStopData() {
    return CodeText(CodeTraceRecordStop);
}

QString TraceClearData(int trace) {
    return CodeText(CodeTraceClear) + packedDecimal(trace % 100, 2);
}

QString TourData(int tour) {
    return CodeText(CodeTour) + ByteToHex(tour & 0xFF);
}

QString IndexData(int code, int index) {
    return CodeText(code) + ByteToHex(index & 0xFF);
}

std::optional<QString> GoData(int pan, int tilt, int zoom, int dZoom) {
    const auto fourDigits = [](int value) { return value >= 0 && value <= kFourDigitLimit; };
    const auto word = [](int value) { return value >= 0 && value <= kWordLimit; };
    if (!fourDigits(pan) || !fourDigits(tilt) || !word(zoom) || !word(dZoom))
        return std::nullopt;
    return CodeText(CodeGo) + packedDecimal(pan, 4) + packedDecimal(tilt, 4) + binaryWord(zoom) +
           binaryWord(dZoom);
}

QString NowData() {
    return CodeText(CodeNow);
}

} // namespace zel::panel
