#include "CliInputFile.h"

#include "CliContext.h"
#include "common/MessageNumber.h"
#include "common/TextFile.h"
#include "titles/TitleDocument.h"
#include "titles/TitleDocumentSession.h"
#include "titles/TitleSlots.h"

#include <QFileInfo>

namespace zel::cli {

bool CheckInputFile(CliContext& context, const QString& path) {
    const QFileInfo info(path);
    // The size and kind are checked first: /dev/zero or a FIFO would never end a read.
    const bool usable = info.isFile() && info.isReadable() && info.size() <= kMaxInputFileBytes &&
                        ReadTextFile(path).ok;
    if (!usable)
        context.messages().ShowMessage(MessageFileIncorrect);
    return usable;
}

bool ReadTitleFileForCli(CliContext& context, const QString& path, TitleDocument& document) {
    // The window reads an unreadable file as an empty document; a command would then upload
    // or print empty titles, so it stops here instead.
    if (!CheckInputFile(context, path))
        return false;
    constexpr int kOnlyWindowSlot = 1; // the one title window of this run
    TitleSlots titleSlots;
    TitleDocumentSession session(titleSlots, kOnlyWindowSlot, document, context.messages(),
                                 context.language());
    return session.ReadTitleFile(path) == TitleOpenResult::Loaded;
}

} // namespace zel::cli
