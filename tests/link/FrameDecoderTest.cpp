#include "link/FrameDecoder.h"
#include "PanelCommandMeanings.h"
#include "common/HexText.h"
#include "link/CommLogFilter.h"
#include "link/CommLogStore.h"
#include "link/CommandMeaning.h"
#include "link/FrameCodec.h"
#include "titletable/TitleCharTable.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <random>

using namespace zel;
using zel::test::kPanelCommandMeanings;

namespace {

QString sent(int camera, int remote, const char* data, bool request = false) {
    const CommSendRecord record{QString::number(camera), QString::number(remote),
                                request ? QStringLiteral("True") : QStringLiteral("False"),
                                QStringLiteral("0"), QStringLiteral("0")};
    return BuildCommandFrame(record, QString::fromLatin1(data)).value();
}

// A data reply as the controller sends it: FD, length, address, payload, checksum, FF FF.
QString reply(const QString& address, const QString& payload) {
    QByteArray bytes = *HexTextToBytes(QStringLiteral("FD00") + address + payload);
    bytes[1] = char(bytes.size() + 2);
    int sum = 0;
    for (const char b : bytes)
        sum ^= static_cast<unsigned char>(b);
    bytes.append(char(sum ^ 0xFF));
    bytes.append("\xFF\xFF", 2);
    return BytesToHexText(bytes);
}

QString titleHex(const QString& text) {
    TitleCodes codes{};
    EXPECT_TRUE(TitleCharTable(0).TitleTextToCodes(text, codes));
    return TitleCharTable::TitleCodesToHex(codes);
}

QString meaningOfSent(const char* data, bool request = false) {
    FrameDecoder decoder;
    return decoder.decode(QStringLiteral("HOST1:"), sent(3, 1, data, request)).meaning;
}

QString commandOf(const QString& data) {
    return DescribeCommand(*HexTextToBytes(data), TitleCharTable(0));
}

} // namespace

TEST(FrameDecoder, SentFramesCarryAddressAndCommand) {
    FrameDecoder decoder;
    const DecodedFrame move = decoder.decode(QStringLiteral("HOST1:"), sent(3, 1, "20093C3C0808"));
    EXPECT_EQ(move.meaning,
              QStringLiteral("CAM 3 ← REMOTE 1: pan left, tilt up, speeds 60/60/8/8"));
    EXPECT_EQ(move.direction, FrameDirection::Sent);
    EXPECT_EQ(move.camera, 3);
    EXPECT_EQ(move.command, 0x20);
    EXPECT_EQ(meaningOfSent("20003C3C0808"),
              QStringLiteral("CAM 3 ← REMOTE 1: stop, speeds 60/60/8/8"));
    EXPECT_EQ(decoder.decode(QStringLiteral("HOST1:"), sent(199, 9, "40")).meaning,
              QStringLiteral("CAM 199 ← REMOTE 9: STOP"));
    EXPECT_EQ(decoder.decode(QStringLiteral("HOST1:"), QStringLiteral("FE0700100117FFFF")).meaning,
              QStringLiteral("CAM 1 ← REMOTE 1: no command data"));
    // A frame whose checksum was typed wrong in free format still says what it carries.
    QString broken = sent(3, 1, "40");
    broken.replace(12, 2, QStringLiteral("00"));
    EXPECT_EQ(decoder.decode(QStringLiteral("HOST1:"), broken).meaning,
              QStringLiteral("CAM 3 ← REMOTE 1: STOP (checksum BAD)"));
}

TEST(FrameDecoder, PanelCommandVectors) {
    for (const auto& [data, meaning] : kPanelCommandMeanings)
        EXPECT_EQ(commandOf(QString::fromLatin1(data)), QString::fromUtf8(meaning)) << data;
}

// Title and backup commands, then lengths a command never has, digits that are not decimal,
// unknown codes and no data: named, not read.
TEST(FrameDecoder, TitleBackupAndMalformedCommands) {
    const std::pair<QString, const char*> rows[] = {
        {QStringLiteral("B1030120"), "title read POSITION 12"},
        {QStringLiteral("B1020000"), "title read CAMERA"},
        {QStringLiteral("B1060030") + titleHex(QStringLiteral("GATE")),
         "title write TOUR 3 \"GATE\""},
        {QStringLiteral("B1FF0030"), "title read category FF 3"},
        {QStringLiteral("C10007"), "backup block 0007 (read)"},
        {QStringLiteral("C103E8") + QString(64, QLatin1Char('A')), "backup block 03E8 (write)"},
        {QStringLiteral("C100"),
         "backup block (command C1) with 2 data bytes, not a length it has"},
        {QStringLiteral("B10301"), "title (command B1) with 3 data bytes, not a length it has"},
        {QStringLiteral("100A20"), "go to position 0A20?"},
        {QStringLiteral("7F0102"), "command 7F, 3 data bytes"},
        {QString(), "no command data"},
    };
    for (const auto& [data, meaning] : rows)
        EXPECT_EQ(commandOf(data), QString::fromUtf8(meaning)) << data.toStdString();
    EXPECT_EQ(CommandNameOf(0xC1), QStringLiteral("backup block"));
    EXPECT_EQ(CommandNameOf(0x7F), QStringLiteral("command 7F"));
    // Every known command decodes at each of its lengths without reading past the data.
    const TitleCharTable english(0);
    for (const CommandName& command : KnownCommands())
        for (int size = 1; size <= 40; ++size) {
            QByteArray data(size, '\x99');
            data[0] = char(command.code);
            EXPECT_FALSE(DescribeCommand(data, english).isEmpty());
        }
}

TEST(FrameDecoder, RepliesAreReadWithTheCommandTheyAnswer) {
    FrameDecoder decoder;
    decoder.decode(QStringLiteral("HOST1:"), sent(12, 1, "15", true));
    const DecodedFrame position =
        decoder.decode(QStringLiteral("CAMERA12:"),
                       reply(QStringLiteral("012101"), QStringLiteral("151C2000646400F1D6")));
    EXPECT_EQ(position.meaning,
              QStringLiteral("reply: position PAN 7200 TILT 100 ZOOM 25600 D-ZOOM 470"));
    EXPECT_EQ(position.direction, FrameDirection::Received);
    EXPECT_EQ(position.camera, 12);
    EXPECT_EQ(position.command, 0x15);

    decoder.decode(QStringLiteral("HOST1:"), sent(2, 1, "B1030120", true));
    EXPECT_EQ(decoder
                  .decode(QStringLiteral("CAMERA2"),
                          reply(QStringLiteral("002101"),
                                QStringLiteral("B1030120") + titleHex(QStringLiteral("HALL"))))
                  .meaning,
              QStringLiteral("reply: title POSITION 12 \"HALL\""));

    decoder.decode(QStringLiteral("HOST1:"), sent(2, 1, "C10007", true));
    const QString block =
        reply(QStringLiteral("002101"), QStringLiteral("C10007") + QString(64, QLatin1Char('5')));
    EXPECT_EQ(decoder.decode(QStringLiteral("CAMERA2:"), block).meaning,
              QStringLiteral("reply: backup block 0007, 32 bytes"));
    QString badSum = block;
    badSum.replace(badSum.size() - 6, 2, QStringLiteral("00"));
    EXPECT_EQ(decoder.decode(QStringLiteral("CAMERA2:"), badSum).meaning,
              QStringLiteral("reply checksum BAD"));

    decoder.decode(QStringLiteral("HOST1:"), sent(5, 1, "2004"));
    for (const auto& [text, meaning] : {std::pair{"06", "ACK"}, {"15", "NACK"}, {"00", "BUSY"}}) {
        const DecodedFrame answer =
            decoder.decode(QStringLiteral("CAMERA5:"), QString::fromLatin1(text));
        EXPECT_EQ(answer.meaning, QString::fromLatin1(meaning));
        EXPECT_EQ(answer.command, 0x20); // counted with the movement it answers
    }
}

TEST(FrameDecoder, GarbageIsNotAFrame) {
    FrameDecoder decoder;
    for (const char* junk : {"", "0", "FE", "XYZ1", "0606", "FD05FFFF", "FE0800100120",
                             "FE0900100120"
                             "38FFFF",
                             "FE08A010012038FFFF", "FD03FFFF"}) {
        const QString data = QString::fromLatin1(junk);
        EXPECT_EQ(decoder.decode(QStringLiteral("CAMERA1:"), data).meaning,
                  data.startsWith(QStringLiteral("FD03")) ? QStringLiteral("reply checksum BAD")
                                                          : QStringLiteral("not a frame"))
            << junk;
        EXPECT_EQ(decoder.decode(QStringLiteral("HOST1:"), data).meaning,
                  QStringLiteral("not a frame"))
            << junk;
    }
    // Units from a hand-written file: the data says which way the frame went.
    EXPECT_EQ(decoder.decode(QStringLiteral("X"), sent(1, 1, "40")).direction,
              FrameDirection::Sent);
    EXPECT_EQ(decoder.decode(QStringLiteral(""), QStringLiteral("06")).direction,
              FrameDirection::Received);
}

TEST(CommLogFilter, ChoosesByDirectionCameraAndCommand) {
    CommLogStore store;
    store.Add_MsFlexGrid(QStringLiteral("HOST1:"), sent(1, 1, "2004"));
    store.Add_MsFlexGrid(QStringLiteral("CAMERA1:"), QStringLiteral("06"));
    store.Add_MsFlexGrid(QStringLiteral("HOST1:"), sent(2, 1, "C10001", true));
    store.Add_MsFlexGrid(QStringLiteral("CAMERA2:"), QStringLiteral("00"));
    store.Add_MsFlexGrid(QStringLiteral("HOST1:"), sent(2, 1, "40"));
    store.Add_MsFlexGrid(QStringLiteral("CAMERA2:"), QStringLiteral("15"));
    const QVector<DecodedFrame> frames = FrameDecoder().decodeAll(store);
    const auto shown = [&](const CommLogFilter& filter) {
        QList<int> rows;
        for (int i = 0; i < frames.size(); ++i)
            if (filter.accepts(frames[i]))
                rows.append(i);
        return rows;
    };
    EXPECT_FALSE(CommLogFilter{}.isActive());
    EXPECT_EQ(shown({}), (QList<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(shown({FrameDirection::Received, -1, -1}), (QList<int>{1, 3, 5}));
    EXPECT_EQ(shown({FrameDirection::Unknown, 2, -1}), (QList<int>{2, 3, 4, 5}));
    EXPECT_EQ(shown({FrameDirection::Unknown, -1, 0xC1}), (QList<int>{2, 3}));
    EXPECT_EQ(shown({FrameDirection::Received, 2, 0x40}), (QList<int>{5}));
    EXPECT_EQ(store.count(), 6); // filtering leaves the recording whole
}

namespace {

// What a meaning may say, whatever the entry: a sent frame's address and command, a single
// answer byte, a data reply, or that the entry is no frame at all.
bool IsAMeaning(const QString& meaning) {
    static const QRegularExpression forms(QStringLiteral(
        "^(CAM \\d+ ← REMOTE \\d+: .+|not a frame|ACK|NACK|BUSY|reply checksum BAD|reply: .+)$"));
    return forms.match(meaning).hasMatch();
}

} // namespace

TEST(FrameDecoder, ArbitraryEntriesNeverReadPastTheirData) {
    // Random units and data, frames with random bodies and damaged real frames: every entry
    // gets one of the meanings and nothing is read outside it (the sanitizer build checks the
    // reads). The built frames (every third round) are told apart exactly.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    FrameDecoder decoder;
    const QStringList units{QStringLiteral("HOST1:"), QStringLiteral("CAMERA3"), QString(),
                            QStringLiteral("CAMERA:"), QStringLiteral("HOSTx")};
    for (int round = 0; round < 20000; ++round) {
        QByteArray bytes(byte(random) % 48, '\0');
        for (char& b : bytes)
            b = char(byte(random));
        const bool built = round % 3 == 0 && bytes.size() >= 9;
        const bool command = round % 2 == 1; // FE, else a data reply FD
        const bool badSum = round % 6 == 0;
        if (built) { // camera 1, remote 1, a known command; a bad checksum every other reply
            const qsizetype n = bytes.size();
            bytes[0] = char(command ? 0xFE : 0xFD);
            bytes[1] = char(n - 1);
            bytes[2] = 0x00;
            bytes[3] = 0x10;
            bytes[4] = 0x01;
            bytes[5] = char(KnownCommands()[round % KnownCommands().size()].code);
            int sum = 0;
            for (qsizetype i = 0; i < n - 3; ++i)
                sum ^= static_cast<unsigned char>(bytes[i]);
            bytes[n - 3] = char(badSum ? sum : sum ^ 0xFF);
            bytes[n - 1] = bytes[n - 2] = char(0xFF);
        }
        QString text = BytesToHexText(bytes);
        const bool odd = round % 7 == 0;
        if (odd)
            text.chop(1);
        const QString& unit = units[round % units.size()];
        const QString meaning = decoder.decode(unit, text).meaning;
        ASSERT_TRUE(IsAMeaning(meaning)) << text.toStdString() << " " << meaning.toStdString();
        if (odd && !text.isEmpty()) {
            EXPECT_EQ(meaning, QStringLiteral("not a frame")) << text.toStdString();
            continue;
        }
        if (!built)
            continue;
        const bool asSent = unit.startsWith(QStringLiteral("HOST")) || (unit.isEmpty() && command);
        if (asSent && command)
            EXPECT_TRUE(meaning.startsWith(QStringLiteral("CAM 1 ← REMOTE 1: ")) &&
                        !meaning.endsWith(QStringLiteral("(checksum BAD)")))
                << text.toStdString() << " " << meaning.toStdString();
        else if (asSent || command)
            EXPECT_EQ(meaning, QStringLiteral("not a frame")) << text.toStdString();
        else
            EXPECT_EQ(meaning.startsWith(QStringLiteral("reply: ")) ? QStringLiteral("reply")
                                                                    : meaning,
                      badSum ? QStringLiteral("reply checksum BAD") : QStringLiteral("reply"))
                << text.toStdString();
    }
}
