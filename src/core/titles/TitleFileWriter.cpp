#include "TitleFileWriter.h"

#include "TitleDocument.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "common/TextFile.h"
#include "shell/LanguageTables.h"
#include "titletable/TitleCategory.h"

namespace zel {

namespace {
constexpr int kTitleFileLineCount = 313;
} // namespace

TitleFileLabels TitleFileLabelsFor(const LanguageTables& language) {
    return {language.text(LangGroup::TitleFileLabels, 0),
            language.text(LangGroup::TitleFileLabels, 1)};
}

QString TitleForFileLine(const QString& title) {
    QString text = title;
    text.replace(QLatin1Char('"'), QStringLiteral("{073}"));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

QStringList TitleFileLines(const TitleDocument& document, const TitleFileLabels& labels) {
    QStringList lines;
    lines.reserve(kTitleFileLineCount);
    lines.append(document.RemoteNo + labels.remote);
    lines.append(document.CameraNo + labels.camera);
    for (int category = 0; category < kTitleCategoryCount; ++category) {
        const TitleCategoryInfo& info = TitleCategoryAt(category);
        lines.append(QString(info.sectionHeader));
        // By title number, so a sorted grid is written in number order.
        for (int number = 1; number <= info.titleCount; ++number)
            lines.append(QLatin1Char('"') + TitleForFileLine(document.title(category, number)) +
                         QLatin1Char('"'));
    }
    return lines;
}

bool WriteTitleFile(const QString& path, const TitleDocument& document,
                    const TitleFileLabels& labels, MessageSink& messages) {
    QString error;
    if (WriteTextFile(path, TitleFileLines(document, labels), &error))
        return true;
    messages.ShowMessage(MessageCannotSave, path + QStringLiteral(": ") + error);
    return false;
}

} // namespace zel
