#include "CliUsageLanguage.h"

#include "shell/ProgramFolder.h"
#include "shell/Settings.h"

namespace zel::cli {

namespace {

// The value of `--name VALUE` or `--name=VALUE` given last before "--"; empty when none.
QString valueOf(const QStringList& args, const QString& name) {
    const QString option = QStringLiteral("--") + name;
    const QString inline_ = option + QLatin1Char('=');
    QString value;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QStringLiteral("--"))
            break;
        if (arg.startsWith(inline_))
            value = arg.mid(inline_.size());
        else if (arg == option && i + 1 < args.size())
            value = args[++i];
    }
    return value;
}

} // namespace

int UsageLanguageIndex(const QStringList& args, const QString& executableFolder) {
    const QString lang = valueOf(args, QStringLiteral("lang"));
    if (lang == QStringLiteral("ja"))
        return 1;
    if (lang == QStringLiteral("en"))
        return 0;
    // Read only: choosing the folder for real may seed the per-user one, which a run that
    // ends with a usage error must not do.
    const QString folder = valueOf(args, QStringLiteral("folder"));
    Settings settings;
    if (!settings.ReadSettings(folder.isEmpty() ? executableFolder : folder) && folder.isEmpty())
        settings.ReadSettings(ProgramFolder::userFolder());
    return settings.languageIndex();
}

} // namespace zel::cli
