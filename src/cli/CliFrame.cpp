// zelctl frame: prints the command frame the link would send, as upper-case hex text.
#include "CliCommand.h"
#include "CliContext.h"
#include "CommandLine.h"
#include "common/HexText.h"
#include "link/FrameCodec.h"

#include <cstdio>

namespace zel::cli {

namespace {

int usage(const QString& text) {
    return UsageError(QStringLiteral("frame"), text);
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

int runFrame(CliContext&, const CommandLine& line) {
    const QStringList& positional = line.positional();
    const bool request = line.isSet(QStringLiteral("request"));
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

const CommandRegistrar registrar{
    {.name = QStringLiteral("frame"),
     .synopses = {QStringLiteral("frame [--request] CAMERA REMOTE [DATAHEX]")},
     .description = QStringLiteral("Prints the frame that would be sent to camera CAMERA (0 to "
                                   "255) of remote REMOTE (1 to 99) with DATAHEX; nothing is "
                                   "sent."),
     .options = {{{QStringLiteral("request")},
                  {},
                  QStringLiteral("a read request: the camera would answer with data")}},
     .run = &runFrame}};

} // namespace

} // namespace zel::cli
