// Panel position reports: any reply, as received bytes and as raw text, read field by field;
// every value given lies within its box.
#include "FuzzLink.h"
#include "common/HexText.h"
#include "panel/PositionReply.h"

using namespace zel;

static void checkFields(const QString& reply) {
    const auto fields = panel::ParsePositionFields(reply);
    if (!fields)
        return;
    for (int field = 0; field < panel::FieldCount; ++field) {
        const auto& value = (*fields)[static_cast<size_t>(field)];
        if (value)
            ZEL_FUZZ_ASSERT(*value >= 0 &&
                            *value <= panel::kPositionMax[static_cast<size_t>(field)]);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkFields(BytesToHexText(bytes));
    checkFields(QString::fromLatin1(bytes));
    return 0;
}
