// The title transfer reading whatever the line brings: downloads and uploads of one category
// or of all nine, with replies, time-outs, BUSY retries and a pulled port in any order.
#include "FuzzLink.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleTransfer.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

using namespace zel;
using namespace zel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const LanguageTables language;
    static const TitleCharTable tables[2] = {TitleCharTable(0), TitleCharTable(1)};
    FuzzedDataProvider input(data, size);
    FuzzLink link;
    TitleDocument document;
    const TitleCharTable& table = tables[input.ConsumeBool() ? 1 : 0];
    TitleTransfer transfer(link.engine, document, table, language);
    bool finished = false;
    transfer.onFinished = [&finished](bool) { finished = true; };
    const int category = input.ConsumeIntegralInRange<int>(0, kTitleCategoryCount - 1);
    const int start = input.ConsumeIntegralInRange<int>(0, 3);
    if (start == 0)
        transfer.startDownload(category);
    else if (start == 1)
        transfer.startUpload(category);
    else if (start == 2)
        transfer.startAllDownload();
    else
        transfer.startAllUpload();
    link.playLine(input, [&] {
        if (finished)
            ZEL_FUZZ_ASSERT(!transfer.isRunning());
    });
    // Every downloaded title is a text of the table: at most eight characters of it.
    for (int c = 0; c < kTitleCategoryCount; ++c)
        for (int n = 1; n <= TitleCategoryAt(c).titleCount; ++n)
            ZEL_FUZZ_ASSERT(document.title(c, n).size() <= 8 * 5); // escapes take five
    return 0;
}
