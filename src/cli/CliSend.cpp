// zelctl send: one frame through the link engine, as the communication test sends a row;
// prints the reply as that screen shows it.
#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliLink.h"
#include "CommandLine.h"
#include "common/HexText.h"
#include "commtest/CommTest.h"
#include "link/FrameCodec.h"
#include "link/LinkClient.h"

#include <cstdio>

namespace zel::cli {

namespace {

constexpr int kMaxDataChars = 494; // the longest row of the communication test

struct SendArguments {
    bool read = false;
    bool raw = false;
    CameraAddress address;
    QString data;
};

// Fills `parsed`; an empty text on success, else the usage error.
QString parseArguments(const CommandLine& line, SendArguments& parsed) {
    parsed.address = CameraAddress::from(line);
    parsed.read = line.isSet(QStringLiteral("read"));
    parsed.raw = line.isSet(QStringLiteral("raw"));
    if (line.positional().size() != 1)
        return QStringLiteral("one DATAHEX expected");
    parsed.data = line.positional()[0].toUpper();
    if (parsed.data.size() % 2 != 0 || !IsHexText(parsed.data))
        return QStringLiteral("DATAHEX must be hex digits, two per byte");
    if (parsed.data.size() > kMaxDataChars)
        return QStringLiteral("DATAHEX holds more than 247 bytes");
    if (parsed.raw && parsed.data.isEmpty())
        return QStringLiteral("--raw needs the frame bytes");
    if (!parsed.raw && (parsed.address.cameraNo.isEmpty() || parsed.address.remoteNo.isEmpty()))
        return QStringLiteral("--camera N and --remote N are required");
    return parsed.address.rangeError(0); // camera 0: sent without waiting
}

class SendClient : public LinkClient {
public:
    explicit SendClient(CliLink& link) : m_link(link) {}
    void replyComplete() override {
        const QString line =
            CommTest::replyBoxText(m_link.engine().state().ReceiveBuffer) + QLatin1Char('\n');
        std::fputs(line.toLatin1().constData(), stdout);
        std::fflush(stdout);
        m_link.finish(ExitOk);
    }
    void replyTimedOut() override { m_link.finish(ExitFailed); }

private:
    CliLink& m_link;
};

CommSendRecord recordFor(const SendArguments& parsed) {
    if (parsed.raw) // free format: sent unchanged, a reply always awaited
        return {QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                QStringLiteral("5")};
    return {parsed.address.cameraNo, parsed.address.remoteNo,
            parsed.read ? QStringLiteral("True") : QStringLiteral("False"), QStringLiteral("0"),
            QStringLiteral("5")};
}

int runSend(CliContext& context, const CommandLine& line) {
    SendArguments parsed;
    if (const QString error = parseArguments(line, parsed); !error.isEmpty())
        return UsageError(QStringLiteral("send"), error);
    if (!context.loadSettings(false))
        return ExitFailed;
    CliLink link(context);
    if (!link.open())
        return ExitFailed;
    SendClient client(link);
    LinkEngine& engine = link.engine();
    engine.claim(&client);
    if (engine.SendCommandFrame(recordFor(parsed), parsed.data) != LinkEngine::kSendOk)
        return ExitFailed;
    if (engine.isIdle())
        return ExitOk; // camera 0: nothing is awaited
    return link.exec();
}

const CommandRegistrar registrar{
    {.name = QStringLiteral("send"),
     .synopses = {QStringLiteral("send [--read] [--raw] --camera N --remote N DATAHEX")},
     .description = QStringLiteral(
         "Sends one frame with DATAHEX (hex digits, two per byte, at most 247 bytes) to the "
         "camera, as a row of the communication test is sent, and prints the reply as that "
         "screen shows it. Camera 0 addresses every camera and is sent without waiting."),
     .options = {CameraOption(QStringLiteral("N"),
                              QStringLiteral("camera number, 0 (every camera) to 255")),
                 RemoteOption(),
                 {{QStringLiteral("read")},
                  {},
                  QStringLiteral("a read request: the camera answers with data")},
                 {{QStringLiteral("raw")},
                  {},
                  QStringLiteral("DATAHEX is the whole frame, sent unchanged (free format); "
                                 "--camera and --remote are not needed")}},
     .run = &runSend}};

} // namespace

} // namespace zel::cli
