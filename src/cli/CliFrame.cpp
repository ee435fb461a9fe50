// zelctl frame: prints the command frame the link would send, as upper-case hex text.
#include "CliCommand.h"
#include "CliContext.h"
#include "common/HexText.h"
#include "link/FrameCodec.h"

#include <cstdio>

namespace zel::cli {

namespace {

int usage(const QString& text) {
    CliContext::printUsageError(QStringLiteral("frame: ") + text);
    return ExitUsage;
}

// Decimal digits only, within low..high.
bool parseNumber(const QString& text, int low, int high) {
    bool ok = false;
    const int value = text.toInt(&ok);
    const bool digitsOnly = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    return ok && digitsOnly && value >= low && value <= high;
}

int runFrame(CliContext&, const QStringList& args) {
    QStringList positional;
    bool request = false;
    for (const QString& arg : args) {
        if (arg == QStringLiteral("--request"))
            request = true;
        else if (arg.startsWith(QStringLiteral("--")))
            return usage(QStringLiteral("unknown option '%1'").arg(arg));
        else
            positional.append(arg);
    }
    if (positional.size() < 2 || positional.size() > 3)
        return usage(QStringLiteral("CAMERA REMOTE [DATAHEX] expected"));
    if (!parseNumber(positional[0], 0, 255))
        return usage(QStringLiteral("CAMERA must be 0 to 255"));
    if (!parseNumber(positional[1], 1, 99))
        return usage(QStringLiteral("REMOTE must be 1 to 99"));
    const QString data = positional.value(2);
    if (data.size() % 2 != 0 || !IsHexText(data))
        return usage(QStringLiteral("DATAHEX must be hex digits, two per byte"));
    const CommSendRecord record{positional[0], positional[1],
                                request ? QStringLiteral("True") : QStringLiteral("False"),
                                QStringLiteral("0"), QStringLiteral("5")};
    const auto frameText = BuildCommandFrame(record, data);
    if (!frameText)
        return usage(QStringLiteral("DATAHEX holds more than 248 bytes"));
    std::fputs((*frameText + QLatin1Char('\n')).toLatin1().constData(), stdout);
    return ExitOk;
}

const CommandRegistrar registrar{{QStringLiteral("frame"),
                                  QStringLiteral("frame [--request] CAMERA REMOTE [DATAHEX]"),
                                  &runFrame}};

} // namespace

} // namespace zel::cli
