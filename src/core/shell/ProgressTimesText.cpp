#include "ProgressTimesText.h"

#include "ToolTexts.h"

namespace zel {

QString ProgressTimesText(int languageIndex, const TransferProgress& progress) {
    QString text =
        toolText(languageIndex, ToolText::ProgressElapsed).arg(FormatDuration(progress.elapsedMs));
    if (progress.remainingMs >= 0 && progress.done < progress.total)
        text += toolText(languageIndex, ToolText::ProgressLeft)
                    .arg(FormatDuration(progress.remainingMs));
    return text;
}

} // namespace zel
