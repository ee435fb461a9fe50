#pragma once
// The serial ports the system has now, as a list a dialog or `zelctl ports` can show. The
// source is an interface so tests hand in a fixed list.
#include <QList>
#include <QString>

namespace zel {

struct DetectedPort {
    QString device;       // /dev/ttyUSB0, COM3
    QString description;  // "USB-Serial Controller"
    QString manufacturer; // empty when the system does not say
    QString serialNumber; // USB adapters only
    bool busy = false;    // another program (or this one) holds the port's lock
};

class PortSource {
public:
    virtual ~PortSource() = default;
    // The ports present now, sorted by device name.
    virtual QList<DetectedPort> ports() const = 0;
};

} // namespace zel
