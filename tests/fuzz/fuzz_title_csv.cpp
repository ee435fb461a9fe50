// Title CSV files: any bytes through the decoding, the record split and the row checks; a
// document that imported exports and imports back the same, and every problem names a line.
#include "FuzzLink.h"
#include "titles/TitleCsvReader.h"
#include "titles/TitleCsvWriter.h"
#include "titles/TitleFileWriter.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

using namespace zel;
using namespace zel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const TitleCharTable tables[2] = {TitleCharTable(0), TitleCharTable(1)};
    FuzzedDataProvider input(data, size);
    const TitleCharTable& table = tables[input.ConsumeBool() ? 1 : 0];
    const QByteArray bytes = RemainingBytes(input);
    const TitleCsvImport imported = ReadTitleCsv(bytes, table);
    const qsizetype lineEnds = bytes.count('\n') + bytes.count('\r') + 1;
    for (const TitleCsvProblem& problem : imported.problems)
        ZEL_FUZZ_ASSERT(problem.line >= 1 && problem.line <= lineEnds);
    ZEL_FUZZ_ASSERT(!imported.refused || imported.problems.size() == 1);
    if (!imported.ok())
        return 0;
    const TitleCsvImport again = ReadTitleCsv(TitleCsvBytes(imported.document), table);
    ZEL_FUZZ_ASSERT(again.ok());
    const TitleFileLabels labels;
    ZEL_FUZZ_ASSERT(TitleFileLines(again.document, labels) ==
                    TitleFileLines(imported.document, labels));
    return 0;
}
