// Send-data files: any bytes through the text checks, the line split and the send-data reader
// with its field checks and questions; a screen read to the end writes and reads back the same.
#include "FuzzLink.h"
#include "common/Cp932.h"
#include "common/TextFile.h"
#include "commtest/TestFileReader.h"
#include "commtest/TestFileWriter.h"
#include "commtest/TestScreen.h"
#include "shell/LanguageTables.h"

using namespace zel;
using namespace zel::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const LanguageTables language;
    FuzzedDataProvider input(data, size);
    AnsweringSink sink;
    sink.answer = input.ConsumeBool() ? ButtonYes : ButtonNo;
    const TextFileRead file = DecodeTextFile(RemainingBytes(input));
    if (!file.ok || !TestFileReader::hasContent(file.lines))
        return 0;
    TestScreen screen;
    const TestFileReader::Result result =
        TestFileReader(sink, language).loadLines(file.lines, screen);
    ZEL_FUZZ_ASSERT(result != TestFileReader::Result::NotRead);
    for (int rowNo = 1; rowNo <= TestScreen::kRowCount; ++rowNo)
        ZEL_FUZZ_ASSERT(screen.row(rowNo).text.size() <= TestRow::kMaxDigits);
    if (result != TestFileReader::Result::Loaded)
        return 0;
    // What was read is written as the program writes it and must read back unchanged,
    // without a question.
    const QStringList lines = TestFileWriter::sendDataLines(screen);
    ZEL_FUZZ_ASSERT(TextToCp932(lines.join(u"\r\n"_qs)).has_value());
    const int questions = sink.shown;
    TestScreen again;
    ZEL_FUZZ_ASSERT(TestFileReader(sink, language).loadLines(lines, again) ==
                    TestFileReader::Result::Loaded);
    ZEL_FUZZ_ASSERT(sink.shown == questions);
    // Rows not in the file were never read; the file holds what both screens would save.
    ZEL_FUZZ_ASSERT(TestFileWriter::sendDataLines(again) == lines);
    return 0;
}
