// Command frames as built for sending, and what the traffic log makes of each entry.
#include "link/FrameDecoder.h"
#include "DataReplyText.h"
#include "PanelCommandMeanings.h"
#include "Words.h"
#include "common/HexText.h"
#include "link/CommLogFilter.h"
#include "link/CommLogStore.h"
#include "link/CommandMeaning.h"
#include "link/FrameCodec.h"
#include "link/MeaningJapanese.h"
#include "titletable/TitleCharTable.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <random>

using namespace zel;
using zel::test::kPanelCommandMeanings;
using zel::test::Words;

static CommSendRecord record(const char* camera, const char* remote, const char* request) {
    return {QString::fromLatin1(camera), QString::fromLatin1(remote), QString::fromLatin1(request),
            u"0"_qs, u"5"_qs};
}
static QString build(const char* camera, const char* remote, const char* request,
                     const QString& data) {
    return BuildCommandFrame(record(camera, remote, request), data).value_or(u"?"_qs);
}
// Camera 1, remote 1, no request.
static QString build(const QString& data) {
    return build("1", "1", "False", data);
}

static QString sent(int camera, int remote, const char* data, bool request = false) {
    const CommSendRecord record{QString::number(camera), QString::number(remote),
                                request ? u"True"_qs : u"False"_qs, u"0"_qs, u"0"_qs};
    return BuildCommandFrame(record, QString::fromLatin1(data)).value();
}

// A data reply as the controller sends it: FD, length, address, payload, checksum, FF FF.
static QString reply(const QString& address, const QString& payload) {
    return test::DataReplyText(*HexTextToBytes(address + payload));
}

static QString titleHex(const QString& text) {
    TitleCodes codes{};
    EXPECT_TRUE(TitleCharTable(0).TitleTextToCodes(text, codes));
    return TitleCharTable::TitleCodesToHex(codes);
}

static QString commandOf(const QString& data) {
    return DescribeCommand(*HexTextToBytes(data), TitleCharTable(0));
}

// What a meaning may say, whatever the entry: a sent frame's address and command, a single
// answer byte, a data reply, or that the entry is no frame at all.
static bool IsAMeaning(const QString& meaning) {
    static const QRegularExpression forms(
        u"^(CAM \\d+ ← REMOTE \\d+: .+|not a frame|ACK|NACK|BUSY|reply checksum BAD|reply: .+)$"_qs);
    return forms.match(meaning).hasMatch();
}

// Lower-case English words left outside quotes: what the table missed.
static QString englishLeft(const QString& meaning) {
    QStringList parts = meaning.split(QLatin1Char('"'));
    for (qsizetype i = 1; i < parts.size(); i += 2)
        parts[i].clear();
    static const QRegularExpression word(u"[a-z]{2,}"_qs);
    const QRegularExpressionMatch match = word.match(parts.join(QString()));
    return match.hasMatch() ? match.captured() : QString();
}

TEST(FrameDecoder, SentFramesCarryAddressAndCommand) {
    FrameDecoder decoder;
    const DecodedFrame move = decoder.decode(u"HOST1:"_qs, sent(3, 1, "20093C3C0808"));
    EXPECT_EQ(move.meaning, u"CAM 3 ← REMOTE 1: pan left, tilt up, speeds 60/60/8/8"_qs);
    EXPECT_EQ(std::tuple(move.direction, move.camera, move.command),
              std::tuple(FrameDirection::Sent, 3, 0x20));
    EXPECT_EQ(decoder.decode(u"HOST1:"_qs, sent(3, 1, "20003C3C0808")).meaning,
              u"CAM 3 ← REMOTE 1: stop, speeds 60/60/8/8"_qs);
    EXPECT_EQ(decoder.decode(u"HOST1:"_qs, sent(199, 9, "40")).meaning,
              u"CAM 199 ← REMOTE 9: STOP"_qs);
    EXPECT_EQ(decoder.decode(u"HOST1:"_qs, u"FE0700100117FFFF"_qs).meaning,
              u"CAM 1 ← REMOTE 1: no command data"_qs);
    // A frame whose checksum was typed wrong in free format still says what it carries.
    const QString broken = sent(3, 1, "40").replace(12, 2, u"00"_qs);
    EXPECT_EQ(decoder.decode(u"HOST1:"_qs, broken).meaning,
              u"CAM 3 ← REMOTE 1: STOP (checksum BAD)"_qs);
}

TEST(FrameDecoder, PanelCommandVectors) {
    for (const auto& [data, meaning] : kPanelCommandMeanings)
        EXPECT_EQ(commandOf(QString::fromLatin1(data)), QString::fromUtf8(meaning)) << data;
}

// Title and backup commands, then lengths a command never has, digits that are not decimal,
// unknown codes and no data: named, not read.
TEST(FrameDecoder, TitleBackupAndMalformedCommands) {
    const std::pair<QString, const char*> rows[] = {
        {u"B1030120"_qs, "title read POSITION 12"},
        {u"B1020000"_qs, "title read CAMERA"},
        {u"B1060030"_qs + titleHex(u"GATE"_qs), "title write TOUR 3 \"GATE\""},
        {u"B1FF0030"_qs, "title read category FF 3"},
        {u"C10007"_qs, "backup block 0007 (read)"},
        {u"C103E8"_qs + QString(64, QLatin1Char('A')), "backup block 03E8 (write)"},
        {u"C100"_qs, "backup block (command C1) with 2 data bytes, not a length it has"},
        {u"B10301"_qs, "title (command B1) with 3 data bytes, not a length it has"},
        {u"100A20"_qs, "go to position 0A20?"},
        {u"7F0102"_qs, "command 7F, 3 data bytes"},
        {QString(), "no command data"},
    };
    for (const auto& [data, meaning] : rows)
        EXPECT_EQ(commandOf(data), QString::fromUtf8(meaning)) << data.toStdString();
    EXPECT_EQ(CommandNameOf(0xC1), u"backup block"_qs);
    EXPECT_EQ(CommandNameOf(0x7F), u"command 7F"_qs);
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
    decoder.decode(u"HOST1:"_qs, sent(12, 1, "15", true));
    const DecodedFrame position =
        decoder.decode(u"CAMERA12:"_qs, reply(u"012101"_qs, u"151C2000646400F1D6"_qs));
    EXPECT_EQ(position.meaning, u"reply: position PAN 7200 TILT 100 ZOOM 25600 D-ZOOM 470"_qs);
    EXPECT_EQ(std::tuple(position.direction, position.camera, position.command),
              std::tuple(FrameDirection::Received, 12, 0x15));

    decoder.decode(u"HOST1:"_qs, sent(2, 1, "B1030120", true));
    EXPECT_EQ(
        decoder.decode(u"CAMERA2"_qs, reply(u"002101"_qs, u"B1030120"_qs + titleHex(u"HALL"_qs)))
            .meaning,
        u"reply: title POSITION 12 \"HALL\""_qs);

    decoder.decode(u"HOST1:"_qs, sent(2, 1, "C10007", true));
    const QString block = reply(u"002101"_qs, u"C10007"_qs + QString(64, QLatin1Char('5')));
    EXPECT_EQ(decoder.decode(u"CAMERA2:"_qs, block).meaning,
              u"reply: backup block 0007, 32 bytes"_qs);
    const QString badSum = QString(block).replace(block.size() - 6, 2, u"00"_qs);
    EXPECT_EQ(decoder.decode(u"CAMERA2:"_qs, badSum).meaning, u"reply checksum BAD"_qs);

    decoder.decode(u"HOST1:"_qs, sent(5, 1, "2004"));
    for (const auto& [text, meaning] : {std::pair{"06", "ACK"}, {"15", "NACK"}, {"00", "BUSY"}}) {
        // Counted with the movement it answers.
        const DecodedFrame answer = decoder.decode(u"CAMERA5:"_qs, QString::fromLatin1(text));
        EXPECT_EQ(std::pair(answer.meaning, answer.command),
                  std::pair(QString::fromLatin1(meaning), 0x20));
    }
}

TEST(FrameDecoder, GarbageIsNotAFrame) {
    FrameDecoder decoder;
    for (const char* junk : {"", "0", "FE", "XYZ1", "0606", "FD05FFFF", "FE0800100120",
                             "FE0900100120"
                             "38FFFF",
                             "FE08A010012038FFFF", "FD03FFFF"}) {
        const QString data = QString::fromLatin1(junk);
        EXPECT_EQ(decoder.decode(u"CAMERA1:"_qs, data).meaning,
                  data.startsWith(u"FD03"_qs) ? u"reply checksum BAD"_qs : u"not a frame"_qs)
            << junk;
        EXPECT_EQ(decoder.decode(u"HOST1:"_qs, data).meaning, u"not a frame"_qs) << junk;
    }
    // Units from a hand-written file: the data says which way the frame went.
    EXPECT_EQ(decoder.decode(u"X"_qs, sent(1, 1, "40")).direction, FrameDirection::Sent);
    EXPECT_EQ(decoder.decode(u""_qs, u"06"_qs).direction, FrameDirection::Received);
}

TEST(CommLogFilter, ChoosesByDirectionCameraAndCommand) {
    CommLogStore store;
    store.Add_MsFlexGrid(u"HOST1:"_qs, sent(1, 1, "2004"));
    store.Add_MsFlexGrid(u"CAMERA1:"_qs, u"06"_qs);
    store.Add_MsFlexGrid(u"HOST1:"_qs, sent(2, 1, "C10001", true));
    store.Add_MsFlexGrid(u"CAMERA2:"_qs, u"00"_qs);
    store.Add_MsFlexGrid(u"HOST1:"_qs, sent(2, 1, "40"));
    store.Add_MsFlexGrid(u"CAMERA2:"_qs, u"15"_qs);
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

TEST(FrameDecoder, ArbitraryEntriesNeverReadPastTheirData) {
    // Random units and data, frames with random bodies and damaged real frames: every entry
    // gets one of the meanings and nothing is read outside it (the sanitizer build checks the
    // reads). The built frames (every third round) are told apart exactly.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    FrameDecoder decoder;
    const QStringList units{u"HOST1:"_qs, u"CAMERA3"_qs, QString(), u"CAMERA:"_qs, u"HOSTx"_qs};
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
            EXPECT_EQ(meaning, u"not a frame"_qs) << text.toStdString();
            continue;
        }
        if (!built)
            continue;
        const bool asSent = unit.startsWith(u"HOST"_qs) || (unit.isEmpty() && command);
        if (asSent && command)
            EXPECT_TRUE(meaning.startsWith(u"CAM 1 ← REMOTE 1: "_qs) &&
                        !meaning.endsWith(u"(checksum BAD)"_qs))
                << text.toStdString() << " " << meaning.toStdString();
        else if (asSent || command)
            EXPECT_EQ(meaning, u"not a frame"_qs) << text.toStdString();
        else
            EXPECT_EQ(meaning.startsWith(u"reply: "_qs) ? u"reply"_qs : meaning,
                      badSum ? u"reply checksum BAD"_qs : u"reply"_qs)
                << text.toStdString();
    }
}

// The traffic log's meanings in Japanese mode: every English word the decoder uses is turned,
// device captions and quoted titles stay.
TEST(MeaningJapaneseTest, KnownMeaningsRead) {
    const QList<std::pair<const char*, const char*>> cases{
        {"pan left, tilt up, speeds 60/60/8/8", "パン 左, チルト 上, 速度 60/60/8/8"},
        {"pan left+right, tilt up+down", "パン 左+右, チルト 上+下"},
        {"auto-pan limit R-SET", "オートパンリミット R-SET"},
        {"backup block 0007 (read)", "バックアップブロック 0007 (読出)"},
        {"reply: backup block 0007, 32 bytes", "応答: バックアップブロック 0007, 32 バイト"},
        {"command 7F, 3 data bytes", "コマンド 7F, データ 3 バイト"},
        {"title (command B1) with 5 data bytes, not a length it has",
         "タイトル (コマンド B1) (データ 5 バイト: この長さはありません)"},
        {"CAM 3 ← REMOTE 1: STOP (checksum BAD)", "CAM 3 ← REMOTE 1: STOP (チェックサム不正)"},
        // A title text in quotes is the camera's, whatever words it holds.
        {"title write TOUR 3 \"stop up\"", "タイトル書込 TOUR 3 \"stop up\""},
        {"ACK", "ACK"},
    };
    for (const auto& [english, japanese] : cases)
        EXPECT_EQ(MeaningInJapanese(QString::fromUtf8(english)), QString::fromUtf8(japanese))
            << english;
}

TEST(MeaningJapaneseTest, EveryCommandTheDecoderKnowsIsTranslated) {
    const auto check = [](const char* data) {
        const QString meaning = FrameDecoder(1).decode(u"HOST1:"_qs, sent(3, 1, data)).meaning;
        EXPECT_TRUE(englishLeft(meaning).isEmpty()) << data << ": " << meaning.toStdString();
    };
    for (const auto& [data, english] : test::kPanelCommandMeanings)
        check(data);
    for (const char* data : {"B1030120", "B1FF0030", "C10007", "7F0102", "B105", "", "A9"})
        check(data);
    FrameDecoder decoder(1);
    for (const char* reply : {"06", "15", "00", "FD0730", "FE0102"}) {
        const QString meaning = decoder.decode(u"CAMERA3:"_qs, QString::fromLatin1(reply)).meaning;
        EXPECT_TRUE(englishLeft(meaning).isEmpty()) << reply << ": " << meaning.toStdString();
    }
    for (const CommandName& command : KnownCommands())
        EXPECT_TRUE(englishLeft(MeaningInJapanese(command.name)).isEmpty())
            << command.name.toStdString();
    EXPECT_EQ(FrameDecoder(0).decode(u"HOST1:"_qs, sent(3, 1, "40")).meaning,
              u"CAM 3 ← REMOTE 1: STOP"_qs); // English mode as it was
}

TEST(FrameCodec, WorkedExamplesLengthPaddingAndRequestDigit) {
    EXPECT_EQ(build(u"20"_qs), u"FE080010012038FFFF"_qs);
    EXPECT_EQ(build("123", "5", "True", u"2A0103"_qs), u"FE0A1231052A010305FFFF"_qs);
    EXPECT_EQ(build("255", "99", "False", {}), u"FE07255099EAFFFF"_qs);
    // No data: eight bytes, length 07. Camera 5 -> digits 0 0 5, remote 7 -> 0 7.
    EXPECT_EQ(build("5", "7", "False", {}), u"FE0700500751FFFF"_qs);
    // Nine data bytes: length 0x10; eight: 0x0F with its leading zero.
    EXPECT_EQ(build(QString(18, QLatin1Char('0'))).mid(2, 2), u"10"_qs);
    EXPECT_EQ(build(QString(16, QLatin1Char('0'))).mid(2, 2), u"0F"_qs);
    // Lower-case data is framed in upper case.
    EXPECT_EQ(build(u"ab"_qs).mid(10, 2), u"AB"_qs);
    // FE ^ 08 ^ 00 ^ 10 ^ 01 = E7; data 18 makes the XOR FF and the checksum 00.
    EXPECT_EQ(build(u"18"_qs), u"FE080010011800FFFF"_qs);
    // A checksum below 0x10 keeps its leading zero: data 10 gives 08.
    EXPECT_EQ(build(u"10"_qs), u"FE080010011008FFFF"_qs);
    // The request digit is set only for the exact text True.
    EXPECT_EQ(build("1", "1", "True", {}).mid(6, 2), u"11"_qs);
    for (const char* other : {"true", "TRUE", "1", "", "False"})
        EXPECT_EQ(build("1", "1", other, {}).mid(6, 2), u"10"_qs) << other;
}

TEST(FrameCodec, RefusesWhatCannotBeFramed) {
    const auto bad = [](const char* camera, const char* remote, const QString& data) {
        return !BuildCommandFrame(record(camera, remote, "False"), data).has_value();
    };
    EXPECT_TRUE(bad("1000", "1", {})); // four digits would shift every field
    EXPECT_TRUE(bad("1", "100", {}));
    EXPECT_TRUE(bad("-1", "1", {}));
    EXPECT_TRUE(bad("abc", "1", {}));
    EXPECT_TRUE(bad("1", "1", u"123"_qs));
    EXPECT_TRUE(bad("1", "1", u"GG"_qs));
    EXPECT_TRUE(bad("1", "1", QString(2 * 249, QLatin1Char('0'))));
    EXPECT_FALSE(bad("999", "0", QString(2 * 248, QLatin1Char('0'))));
    EXPECT_EQ(build(QString(2 * 248, QLatin1Char('0'))).mid(2, 2), u"FF"_qs);
}

TEST(FrameCodec, RawRecordsByLeadingNumber) {
    CommSendRecord r = record("1", "0", "0");
    // clang-format off
    for (const auto& [raw, isRaw] : {std::pair{"1", true}, {"2", true}, {" 1", true}, {"7x", true},
                                     {"0", false}, {"", false}, {"x1", false}, {"00", false}}) {
        // clang-format on
        r.Raw = QString::fromLatin1(raw);
        EXPECT_EQ(IsRawRecord(r), isRaw) << raw;
    }
}

TEST(FrameCodec, CompletenessRule) {
    EXPECT_EQ(ClassifyReply(u"06"_qs), ReplyKind::Ack);
    EXPECT_EQ(ClassifyReply(u"15"_qs), ReplyKind::Nack);
    EXPECT_EQ(ClassifyReply(u"00"_qs), ReplyKind::Busy);
    EXPECT_EQ(ClassifyReply(u"150000"_qs), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(u"06FD"_qs), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply({}), ReplyKind::Incomplete);
    // FD, length 6 (N - 1), three payload bytes... complete; length one short is not.
    EXPECT_EQ(ClassifyReply(u"FD06AABB00FFFF"_qs), ReplyKind::Data);
    EXPECT_EQ(ClassifyReply(u"fd06aabb00ffff"_qs), ReplyKind::Data);
    EXPECT_EQ(ClassifyReply(u"FD05AABB00FFFF"_qs), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(u"FD06AABB00FF"_qs), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(u"FE06AABB00FFFF"_qs), ReplyKind::Incomplete);
    EXPECT_EQ(ClassifyReply(u"FDZZFFFF"_qs), ReplyKind::Incomplete);
    // Start byte, length byte and checksum right (FD ^ 06 ^ 01 ^ 02 ^ FF = 07); only the end
    // bytes differ from FF FF, so the reply must not be taken.
    for (const char* ends : {"FFFE", "FEFF", "0000", "FF00"}) {
        const QString reply = u"FD06010207"_qs + QString::fromLatin1(ends);
        EXPECT_TRUE(ReplyChecksumOk(reply)) << ends;
        EXPECT_EQ(ClassifyReply(reply), ReplyKind::Incomplete) << ends;
    }
    EXPECT_EQ(ClassifyReply(u"FD06010207FFFF"_qs), ReplyKind::Data);
}

TEST(FrameCodec, ReplyChecksumAndFieldReadersStayInsideTheReply) {
    // FD ^ 06 ^ 01 ^ 02 = F8; ^ FF = 07.
    // Minimum: start, length 4, checksum, two ends. FD ^ 04 ^ FF = 06.
    for (const char* good : {"FD06010207FFFF", "FD0406FFFF"})
        EXPECT_TRUE(ReplyChecksumOk(QString::fromLatin1(good))) << good;
    // Short, single-byte and garbage replies are receive errors, never reads out of range.
    for (const char* bad :
         {"FD06010208FFFF", "06", "", "FD03FFFF", "FD", "FD06010207FFFFFF", "FD06XX0207FFFF"})
        EXPECT_FALSE(ReplyChecksumOk(QString::fromLatin1(bad))) << bad;
    const QString reply = u"FD06010207FFFF"_qs;
    EXPECT_EQ((QList<int>{ReplyByteCount(reply), ReplyByteAt(reply, 0), ReplyByteAt(reply, 3),
                          ReplyByteAt(reply, 6), ReplyByteAt(reply, 7), ReplyByteAt(reply, -1),
                          ReplyByteAt(u"0"_qs, 0)}),
              (QList<int>{7, 0xFD, 0x02, 0xFF, -1, -1, -1}));
}

TEST(FrameCodec, CameraDigitsOfSentFrame) {
    QStringList digits;
    for (const char* frame :
         {"FE0A1231052A010305FFFF", "FE080120012038FFFF", "FE0800", "AB", "FE08A1"})
        digits.append(CameraDigitsOfFrame(QString::fromLatin1(frame)));
    EXPECT_EQ(digits, Words("123 12 0 0 0"));
}
