#include "CameraUnit.h"

#include <algorithm>
#include <array>

namespace zel::sim {

namespace {

struct TitleCategory {
    int code;
    int first;        // first title number
    int end;          // one past the last title number
    const char* name; // default title text before the number
};

// Camera category codes and their title numbers; 302 titles in all.
constexpr std::array<TitleCategory, 9> Categories{{
    {0x02, 0, 1, "CAM"},
    {0x03, 1, 256, "POS"},
    {0x04, 1, 3, "TRACE"},
    {0x05, 0, 1, "AUTOPAN"},
    {0x06, 1, 17, "TOUR"},
    {0x07, 1, 4, "HOME"},
    {0x08, 1, 9, "ALARM"},
    {0x09, 1, 9, "SECTOR"},
    {0x0A, 1, 9, "AUX"},
}};

constexpr int BlankCode = 0x00FD;
constexpr int EndMark = 0x8000;
constexpr int PanTiltRatePerSpeed = 10; // units per second per speed step
constexpr int ZoomRatePerSpeed = 1000;
constexpr int StepPanTilt = 10; // one STEP-mode move (speed 0)
constexpr int StepZoom = 100;

int charCode(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'Z')
        return 0x0A + (c - 'A');
    return BlankCode;
}

qint64 clampAxis(qint64 milli, int max) {
    return std::clamp<qint64>(milli, 0, qint64(max) * 1000);
}

// Direction of one axis from two opposite bits: +1, -1 or 0 (both or neither).
int direction(int bits, int plusBit, int minusBit) {
    const bool plus = bits & plusBit;
    const bool minus = bits & minusBit;
    return plus == minus ? 0 : (plus ? 1 : -1);
}

} // namespace

CameraUnit::CameraUnit(int cameraNo)
    : m_cameraNo(cameraNo), m_settings(initialSettings(cameraNo)),
      m_titles(TitleCount * TitleBytes, '\0') {
    fillDefaultTitles();
}

QByteArray CameraUnit::initialSettings(int cameraNo) {
    QByteArray bytes(SettingsSize, '\0');
    for (int i = 0; i < SettingsSize; ++i) {
        const int block = i / BlockSize + 1;
        const int offset = i % BlockSize;
        bytes[i] = static_cast<char>((block * 7 + offset * 13 + cameraNo * 29 + (block >> 3)) ^
                                     (offset << 3));
    }
    return bytes;
}

bool CameraUnit::setSettings(const QByteArray& bytes) {
    if (bytes.size() != SettingsSize)
        return false;
    m_settings = bytes;
    return true;
}

QByteArray CameraUnit::block(int blockNo) const {
    if (blockNo < 1 || blockNo > BlockCount)
        return {};
    return m_settings.mid((blockNo - 1) * BlockSize, BlockSize);
}

bool CameraUnit::writeBlock(int blockNo, const QByteArray& bytes) {
    if (blockNo < 1 || blockNo > BlockCount || bytes.size() != BlockSize)
        return false;
    m_settings.replace((blockNo - 1) * BlockSize, BlockSize, bytes);
    return true;
}

int CameraUnit::titleIndex(int categoryCode, int titleNo) {
    int offset = 0;
    for (const TitleCategory& category : Categories) {
        if (category.code == categoryCode)
            return (titleNo >= category.first && titleNo < category.end)
                       ? offset + titleNo - category.first
                       : -1;
        offset += category.end - category.first;
    }
    return -1;
}

QByteArray CameraUnit::titleCodes(int categoryCode, int titleNo) const {
    const int index = titleIndex(categoryCode, titleNo);
    return index < 0 ? QByteArray() : m_titles.mid(index * TitleBytes, TitleBytes);
}

bool CameraUnit::setTitleCodes(int categoryCode, int titleNo, const QByteArray& codes) {
    const int index = titleIndex(categoryCode, titleNo);
    if (index < 0 || codes.size() != TitleBytes)
        return false;
    m_titles.replace(index * TitleBytes, TitleBytes, codes);
    return true;
}

QByteArray CameraUnit::encodeTitle(const QByteArray& text) {
    QByteArray codes;
    const qsizetype length = std::min<qsizetype>(text.size(), TitleBytes / 2);
    for (qsizetype i = 0; i < TitleBytes / 2; ++i) {
        int code = i < length ? charCode(text.at(i)) : BlankCode;
        if (i == length - 1)
            code |= EndMark;
        codes.append(static_cast<char>(code >> 8));
        codes.append(static_cast<char>(code & 0xFF));
    }
    return codes;
}

void CameraUnit::fillDefaultTitles() {
    for (const TitleCategory& category : Categories) {
        for (int number = category.first; number < category.end; ++number) {
            QByteArray text(category.name);
            if (category.code == 0x02)
                text += ' ' + QByteArray::number(m_cameraNo);
            else if (category.first > 0)
                text += ' ' + QByteArray::number(number);
            setTitleCodes(category.code, number, encodeTitle(text));
        }
    }
}

CameraPosition CameraUnit::position(qint64 nowMs) {
    advanceTo(nowMs);
    return {int(m_panMilli / 1000), int(m_tiltMilli / 1000), int(m_zoomMilli / 1000), m_dZoom};
}

bool CameraUnit::isMoving() const {
    return m_panRate != 0 || m_tiltRate != 0 || m_zoomRate != 0;
}

void CameraUnit::advanceTo(qint64 nowMs) {
    const qint64 elapsed = std::max<qint64>(0, nowMs - m_lastUpdateMs);
    m_lastUpdateMs = std::max(m_lastUpdateMs, nowMs);
    m_panMilli = clampAxis(m_panMilli + m_panRate * elapsed, PanMax);
    m_tiltMilli = clampAxis(m_tiltMilli + m_tiltRate * elapsed, TiltMax);
    m_zoomMilli = clampAxis(m_zoomMilli + m_zoomRate * elapsed, ZoomMax);
}

void CameraUnit::move(const MoveOrder& order, qint64 nowMs) {
    advanceTo(nowMs);
    const int pan = direction(order.bits, 0x04, 0x08);
    const int tilt = direction(order.bits, 0x01, 0x02);
    const int zoom = direction(order.bits, 0x10, 0x20);
    // Speed 0 (STEP mode) moves one step at once and stops.
    m_panRate = order.panSpeed == 0 ? 0 : pan * order.panSpeed * PanTiltRatePerSpeed;
    m_tiltRate = order.tiltSpeed == 0 ? 0 : tilt * order.tiltSpeed * PanTiltRatePerSpeed;
    m_zoomRate = order.zoomSpeed == 0 ? 0 : zoom * order.zoomSpeed * ZoomRatePerSpeed;
    if (order.panSpeed == 0)
        m_panMilli = clampAxis(m_panMilli + pan * StepPanTilt * 1000, PanMax);
    if (order.tiltSpeed == 0)
        m_tiltMilli = clampAxis(m_tiltMilli + tilt * StepPanTilt * 1000, TiltMax);
    if (order.zoomSpeed == 0)
        m_zoomMilli = clampAxis(m_zoomMilli + zoom * StepZoom * 1000, ZoomMax);
}

void CameraUnit::stop(qint64 nowMs) {
    advanceTo(nowMs);
    m_panRate = m_tiltRate = m_zoomRate = 0;
}

bool CameraUnit::goTo(const CameraPosition& target, qint64 nowMs) {
    if (target.pan < 0 || target.pan > PanMax || target.tilt < 0 || target.tilt > TiltMax ||
        target.zoom < 0 || target.zoom > ZoomMax || target.dZoom < 0 || target.dZoom > DZoomMax)
        return false;
    stop(nowMs);
    m_panMilli = qint64(target.pan) * 1000;
    m_tiltMilli = qint64(target.tilt) * 1000;
    m_zoomMilli = qint64(target.zoom) * 1000;
    m_dZoom = target.dZoom;
    return true;
}

void CameraUnit::storePreset(int presetNo, qint64 nowMs) {
    m_presets[presetNo] = position(nowMs);
}

void CameraUnit::recallPreset(int presetNo, qint64 nowMs) {
    const auto found = m_presets.constFind(presetNo);
    if (found != m_presets.constEnd())
        goTo(*found, nowMs);
    else
        stop(nowMs);
}

void CameraUnit::clearPreset(int presetNo) {
    m_presets.remove(presetNo);
}

} // namespace zel::sim
