#include "CliArguments.h"

#include <algorithm>

namespace zel::cli {

OptionMatch takeOption(const QStringList& args, qsizetype& i,
                       std::initializer_list<ValueOption> options) {
    const QString& arg = args[i];
    for (const ValueOption& option : options) {
        qsizetype used = 0;
        if (arg == option.name) {
            if (i + 1 >= args.size())
                return OptionMatch::MissingValue;
            *option.value = args[i + 1];
            used = 2;
        } else if (arg.startsWith(option.name + QLatin1Char('='))) {
            *option.value = arg.mid(option.name.size() + 1);
            used = 1;
        } else {
            continue;
        }
        if (option.given)
            *option.given = true;
        i += used;
        return OptionMatch::Taken;
    }
    return OptionMatch::None;
}

OptionMatch removeOption(QStringList& args, qsizetype i,
                         std::initializer_list<ValueOption> options) {
    const qsizetype start = i;
    const OptionMatch match = takeOption(args, i, options);
    if (match == OptionMatch::Taken)
        args.remove(start, i - start);
    return match;
}

bool IsDecimalDigits(const QString& text, qsizetype maxDigits) {
    return !text.isEmpty() && text.size() <= maxDigits &&
           std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

OptionMatch CameraAddress::take(const QStringList& args, qsizetype& i) {
    return takeOption(args, i,
                      {{QStringLiteral("--camera"), &cameraNo, &haveCamera},
                       {QStringLiteral("--remote"), &remoteNo, &haveRemote}});
}

} // namespace zel::cli
