// S-record files: any text split into lines, each record decoded, and the records converted
// into each of the three images the CPU writer builds.
#include "FuzzLink.h"
#include "cpuwriter/SRecordFile.h"
#include "cpuwriter/SRecordParser.h"

using namespace zel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = SplitSRecordLines(bytes);
    for (const QString& line : lines) {
        const SRecord record = ParseSRecord(line);
        ZEL_FUZZ_ASSERT(record.data.size() <= line.size() / 2);
    }
    for (const SRecordWindow& window : {kBootMasterWindow, kBootSlaveWindow, kApplicationWindow}) {
        QByteArray image(static_cast<qsizetype>(window.size + window.indexOffset), '\xFF');
        const qsizetype before = image.size();
        Convert(lines, window, image);
        ZEL_FUZZ_ASSERT(image.size() == before); // data outside the window never grows it
    }
    return 0;
}
