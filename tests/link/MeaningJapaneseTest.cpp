// The traffic log's meanings in Japanese mode: every English word the decoder uses is turned,
// device captions and quoted titles stay.
#include "link/MeaningJapanese.h"

#include "PanelCommandMeanings.h"
#include "common/HexText.h"
#include "link/CommandMeaning.h"
#include "link/FrameCodec.h"
#include "link/FrameDecoder.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace zel;

namespace {

QString sent(const char* data) {
    const CommSendRecord record{u"3"_qs, u"1"_qs, u"False"_qs, u"0"_qs, u"0"_qs};
    return BuildCommandFrame(record, QString::fromLatin1(data)).value();
}

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

// Lower-case English words left outside quotes: what the table missed.
QString englishLeft(const QString& meaning) {
    QStringList parts = meaning.split(QLatin1Char('"'));
    for (qsizetype i = 1; i < parts.size(); i += 2)
        parts[i].clear();
    static const QRegularExpression word(u"[a-z]{2,}"_qs);
    const QRegularExpressionMatch match = word.match(parts.join(QString()));
    return match.hasMatch() ? match.captured() : QString();
}

TEST(MeaningJapaneseTest, EveryCommandTheDecoderKnowsIsTranslated) {
    const auto check = [](const char* data) {
        const QString meaning = FrameDecoder(1).decode(u"HOST1:"_qs, sent(data)).meaning;
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
    EXPECT_EQ(FrameDecoder(0).decode(u"HOST1:"_qs, sent("40")).meaning,
              u"CAM 3 ← REMOTE 1: STOP"_qs); // English mode as it was
}

} // namespace
