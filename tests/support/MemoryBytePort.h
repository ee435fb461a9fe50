#pragma once
// In-memory BytePort for engine unit tests: records what was written and lets the test
// deliver received batches or pull the device.
#include "link/BytePort.h"

#include <QList>

namespace zel::test {

class MemoryBytePort : public BytePort {
public:
    bool open(const PortLineSettings& settings, QString* why) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    bool write(const QByteArray& bytes) override;
    void discardInput() override { ++discards; }

    // Test side.
    void receive(const QByteArray& bytes);
    void receiveHex(const QString& hex);
    void loseDevice(const QString& why);

    bool failOpen = false;
    bool reportWrites = true; // false: written blocks never leave (a stuck line)
    QList<QByteArray> written;
    QList<PortLineSettings> opens;
    int closes = 0;
    int discards = 0;

private:
    bool m_open = false;
};

} // namespace zel::test
