#include "MessageDetail.h"

#include "Application.h"
#include "ToolTexts.h"
#include "common/MessageNumber.h"
#include "link/LinkEngine.h"
#include "link/TransactionText.h"

#include <QDir>

namespace zel {

QString messageDetail(Application& app, int number) {
    switch (number) {
    case MessagePortOpenError:
        if (!app.isStarted())
            return {};
        return app.engine().lastOpenError().isEmpty() ? app.engine().lastLostReason()
                                                      : app.engine().lastOpenError();
    case MessageNoSettingFile:
        return toolText(app.language(), ToolText::SettingsFileDetail)
            .arg(QDir::toNativeSeparators(app.settings().SettingsFilePath));
    default:
        return app.isStarted() ? LinkMessageDetail(app.engine(), number) : QString();
    }
}

} // namespace zel
