#pragma once
#include <QString>

namespace zel {

class Settings;

// The device to open for the port of the settings. A port named COM1..COM4 (also from the
// command line) maps to the configured device path of that port where there are no COM
// names.
QString ResolvePortDevice(const Settings& settings);

} // namespace zel
