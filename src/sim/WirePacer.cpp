#include "WirePacer.h"

#include <algorithm>

namespace zel::sim {

void WirePacer::setBitRate(int bitRate) {
    m_bitRate = std::max(0, bitRate);
    m_byteNs = m_bitRate > 0 ? qint64(m_bitsPerByte) * 1000000000 / m_bitRate : 0;
}

void WirePacer::setBitsPerByte(int bits) {
    m_bitsPerByte = std::max(1, bits);
    setBitRate(m_bitRate);
}

void WirePacer::received(const QByteArray& bytes, qint64 nowNs) {
    if (bytes.isEmpty())
        return;
    if (m_byteNs == 0) {
        m_input.push_back({nowNs, bytes});
        return;
    }
    // Each byte is handed on when its last bit would have arrived.
    qint64 cursor = std::max(nowNs, m_rxWireEndNs);
    for (const char byte : bytes) {
        cursor += m_byteNs;
        m_input.push_back({cursor, QByteArray(1, byte)});
    }
    m_rxWireEndNs = cursor;
}

void WirePacer::send(const QList<SimOutput>& outputs, qint64 nowNs) {
    qint64 cursor = std::max(nowNs, m_txWireEndNs);
    for (const SimOutput& output : outputs) {
        cursor += qint64(output.gapBeforeMs) * 1000000;
        if (m_byteNs == 0) {
            m_output.push_back({cursor, output.bytes});
            continue;
        }
        for (const char byte : output.bytes) {
            cursor += m_byteNs;
            m_output.push_back({cursor, QByteArray(1, byte)});
        }
    }
    m_txWireEndNs = cursor;
}

QByteArray WirePacer::takeDueInput(qint64 nowNs) {
    QByteArray due;
    while (!m_input.empty() && m_input.front().deadlineNs <= nowNs) {
        due.append(m_input.front().bytes);
        m_deliveredNs = m_input.front().deadlineNs;
        m_input.pop_front();
    }
    return due;
}

QByteArray WirePacer::takeDueOutput(qint64 nowNs) {
    QByteArray due;
    while (!m_output.empty() && m_output.front().deadlineNs <= nowNs) {
        due.append(m_output.front().bytes);
        m_output.pop_front();
    }
    return due;
}

std::optional<qint64> WirePacer::nextDeadline() const {
    std::optional<qint64> next;
    if (!m_input.empty())
        next = m_input.front().deadlineNs;
    if (!m_output.empty())
        next = next ? std::min(*next, m_output.front().deadlineNs) : m_output.front().deadlineNs;
    return next;
}

void WirePacer::clear() {
    m_input.clear();
    m_output.clear();
    m_rxWireEndNs = 0;
    m_txWireEndNs = 0;
    m_deliveredNs = 0;
}

} // namespace zel::sim
