#pragma once
// Where a conversion puts a file's data: the address range it accepts and the image index
// at which its base address lands.
#include <QtGlobal>

namespace zel {

struct SRecordWindow {
    quint32 base = 0;       // first address accepted
    qint64 size = 0;        // bytes accepted from `base` on
    qint64 indexOffset = 0; // image index of `base`
};

// Boot program of the master CPU: 2048 bytes after the two length bytes.
constexpr SRecordWindow kBootMasterWindow{0xFFC000, 2048, 2};
// Boot program of the slave CPU.
constexpr SRecordWindow kBootSlaveWindow{0xFFE400, 2048, 2};
// Application program: the whole 256 KiB flash.
constexpr SRecordWindow kApplicationWindow{0, 0x40000, 0};

} // namespace zel
