#include "CliTitleFile.h"

#include "CliContext.h"
#include "titles/TitleDocument.h"
#include "titles/TitleFiles.h"
#include "titles/TitleSlots.h"

namespace zel::cli {

bool ReadTitleFileForCli(CliContext& context, const QString& path, TitleDocument& document) {
    constexpr int kOnlyWindowSlot = 1; // the one title window of this run
    TitleSlots titleSlots;
    TitleFiles files(titleSlots, kOnlyWindowSlot, document, context.messages(), context.language());
    return files.ReadTitleFile(path) == TitleOpenResult::Loaded;
}

} // namespace zel::cli
