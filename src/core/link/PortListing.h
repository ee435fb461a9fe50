#pragma once
// How a detected port is shown: one tab-separated line for `zelctl ports`, one readable line
// for the settings dialog's list.
#include "PortSource.h"

namespace zel {

class Settings;

// DEVICE<TAB>DESCRIPTION<TAB>MANUFACTURER<TAB>SERIAL<TAB>COMn (the last field empty when
// no COMn of the settings stands for the device). Tabs and line ends inside a field become
// blanks, so each port stays one line of five fields.
QString portListingLine(const DetectedPort& port, const Settings& settings);

// The network ports zel.ini names for COM1..COM4 and the one given with --port, as ports
// of the list: description "network port (RFC 2217)" or "network port (raw TCP)".
QList<DetectedPort> configuredNetworkPorts(const Settings& settings);

// "/dev/ttyUSB0  USB-Serial Controller, Prolific, 12345" followed by `busyMark` when the port
// is in use.
QString portDisplayText(const DetectedPort& port, const QString& busyMark);

} // namespace zel
