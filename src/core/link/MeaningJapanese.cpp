#include "MeaningJapanese.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>

namespace zel {

namespace {

struct Phrase {
    const char16_t* en; // a regular expression over whole words
    const char16_t* ja;
};

// Longer phrases first: "auto-pan limit" before "auto-pan", "title read" before "read".
constexpr Phrase kPhrases[] = {
    {uR"(with (\d+) data bytes, not a length it has)",
     uR"((データ \1 バイト: この長さはありません))"},
    {uR"(command ([0-9A-F]{2}), (\d+) data bytes)", uR"(コマンド \1, データ \2 バイト)"},
    {uR"((\d+) data bytes)", uR"(データ \1 バイト)"},
    {uR"((\d+) bytes)", uR"(\1 バイト)"},
    {u"no command data", u"コマンドデータなし"},
    {u"not a frame", u"フレームではありません"},
    {u"reply checksum BAD", u"応答のチェックサム不正"},
    {u"checksum BAD", u"チェックサム不正"},
    {u"reply: no data", u"応答: データなし"},
    {u"reply:", u"応答:"},
    {u"absolute position", u"絶対位置"},
    {u"go to position", u"ポジション移動"},
    {u"store position", u"ポジション登録"},
    {u"clear position", u"ポジション消去"},
    {u"stop trace recording", u"トレース記録停止"},
    {u"trace record stop", u"トレース記録停止"},
    {u"run trace|trace run", u"トレース実行"},
    {u"record trace|trace record", u"トレース記録"},
    {u"clear trace|trace clear", u"トレース消去"},
    {u"turn limit memory", u"ターンリミット記憶"},
    {u"turn limit", u"ターンリミット"},
    {u"auto-pan limit set", u"オートパンリミット設定"},
    {u"auto-pan limit clear", u"オートパンリミット解除"},
    {u"auto-pan limit", u"オートパンリミット"},
    {u"auto-pan", u"オートパン"},
    {u"camera menu", u"カメラメニュー"},
    {u"menu set, cancel", u"メニュー SET・取消"},
    {u"menu cancel", u"メニュー取消"},
    {u"menu", u"メニュー"},
    {u"auxiliary output", u"補助出力"},
    {u"alarm action", u"アラーム動作"},
    {u"alarm reset", u"アラームリセット"},
    {u"alarm", u"アラーム"},
    {u"title read", u"タイトル読出"},
    {u"title write", u"タイトル書込"},
    {u"title", u"タイトル"},
    {u"backup block", u"バックアップブロック"},
    {u"category", u"カテゴリ"},
    {u"position", u"位置"},
    {u"movement", u"移動"},
    {u"command", u"コマンド"},
    {u"speeds", u"速度"},
    {u"stop", u"停止"},
    {u"pan", u"パン"},
    {u"tilt", u"チルト"},
    {u"zoom", u"ズーム"},
    {u"focus", u"フォーカス"},
    {u"iris", u"アイリス"},
    {u"tour", u"ツアー"},
    {u"left\\+right", u"左+右"},
    {u"up\\+down", u"上+下"},
    {u"left", u"左"},
    {u"right", u"右"},
    {u"up", u"上"},
    {u"down", u"下"},
    {u"open", u"開く"},
    {u"close", u"閉じる"},
    {u"read", u"読出"},
    {u"write", u"書込"},
};

struct CompiledPhrase {
    QRegularExpression pattern;
    QString replacement;
};

// Each phrase as a whole-word pattern; a replacement keeps its \1, \2 for the numbers.
const QList<CompiledPhrase>& phrases() {
    static const QList<CompiledPhrase> compiled = [] {
        QList<CompiledPhrase> list;
        for (const Phrase& phrase : kPhrases)
            list.append(
                {QRegularExpression(QStringLiteral("(?<![\\w-])(?:") +
                                    QString::fromUtf16(phrase.en) + QStringLiteral(")(?![\\w-])")),
                 QString::fromUtf16(phrase.ja)});
        return list;
    }();
    return compiled;
}

QString translatedPart(QString text) {
    for (const CompiledPhrase& phrase : phrases())
        text.replace(phrase.pattern, phrase.replacement);
    return text;
}

} // namespace

QString MeaningInJapanese(const QString& english) {
    // Even parts lie outside quotes; odd parts are title texts.
    QStringList parts = english.split(QLatin1Char('"'));
    for (qsizetype i = 0; i < parts.size(); i += 2)
        parts[i] = translatedPart(parts[i]);
    return parts.join(QLatin1Char('"'));
}

} // namespace zel
