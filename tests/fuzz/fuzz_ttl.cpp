// Title files: any bytes through the text checks, the line split and the title reader, and a
// document read from a file writes and reads back the same.
#include "FuzzLink.h"
#include "common/Cp932.h"
#include "common/TextFile.h"
#include "shell/LanguageTables.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFileReader.h"
#include "titles/TitleFileWriter.h"

using namespace zel;
using namespace zel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const LanguageTables language;
    FuzzedDataProvider input(data, size);
    AnsweringSink sink;
    sink.answer = input.ConsumeBool() ? ButtonYes : ButtonNo;
    const TextFileRead file = DecodeTextFile(RemainingBytes(input));
    if (!file.ok || !TitleFileReader::hasSignificantLine(file.lines))
        return 0;
    TitleDocument document;
    TitleFileReader reader(file.lines);
    if (!reader.readDocument(document, sink, language))
        return 0;
    // What was read is written as the program writes it and must read back unchanged,
    // without a question.
    const QStringList lines = TitleFileLines(document, TitleFileLabelsFor(language));
    ZEL_FUZZ_ASSERT(TextToCp932(lines.join(u"\r\n"_qs)).has_value());
    TitleDocument again;
    const int questions = sink.shown;
    TitleFileReader rereader(lines);
    ZEL_FUZZ_ASSERT(rereader.readDocument(again, sink, language));
    ZEL_FUZZ_ASSERT(sink.shown == questions);
    ZEL_FUZZ_ASSERT(TitleFileLines(again, TitleFileLabelsFor(language)) == lines);
    return 0;
}
