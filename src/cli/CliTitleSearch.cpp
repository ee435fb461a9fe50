#include "CliTitleSearch.h"

#include "CliArguments.h"
#include "CliCommand.h"
#include "CliContext.h"
#include "CliTitleFile.h"
#include "CommandLine.h"
#include "common/MessageNumber.h"
#include "find/FindState.h"
#include "find/TextFinder.h"
#include "titles/TitleDocument.h"
#include "titles/TitleEditor.h"
#include "titles/TitleFileWriter.h"
#include "titles/TitleFindTarget.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <cstdio>

namespace zel::cli {

namespace {

struct SearchArguments {
    QString file;
    QString category;
    QString text;        // find: TEXT; replace: --find
    QString replacement; // --replace
    QString output;      // -o
    bool whole = false;
    int categoryNumber = -1;
};

int usage(const QString& text) {
    return UsageError(QStringLiteral("titles"), text);
}

void printLine(const QString& text) {
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stdout);
}

// The text as the dialog's box would hold it: every character through the key rule.
QString typedText(const QString& text, const TitleCharTable& table) {
    QString typed;
    for (const QChar ch : text) {
        const int key = FilterFindKey(FindContextTitle, ch.unicode(), table);
        if (key != 0)
            typed.append(QChar(char16_t(key)));
    }
    return typed;
}

// FILE and (find) TEXT as positional arguments after the subcommand.
bool parse(const CommandLine& line, bool replace, SearchArguments& parsed) {
    const QString form = replace ? QStringLiteral("replace") : QStringLiteral("find");
    if (const QString misplaced = line.misplacedOption(QStringLiteral("titles"), form);
        !misplaced.isEmpty())
        return usage(misplaced), false;
    const QStringList positional = line.operands();
    parsed.category = line.value(QStringLiteral("category"));
    parsed.replacement = line.value(QStringLiteral("replace"));
    parsed.output = line.value(QStringLiteral("o"));
    parsed.whole = line.isSet(QStringLiteral("whole"));
    const qsizetype wanted = replace ? 1 : 2;
    if (positional.size() != wanted)
        return usage(replace ? QStringLiteral("replace FILE.ttl --category N [--whole] --find TEXT "
                                              "--replace TEXT [-o OUT.ttl]")
                             : QStringLiteral("find FILE.ttl --category N [--whole] TEXT")),
               false;
    parsed.file = positional[0];
    parsed.text = replace ? line.value(QStringLiteral("find")) : positional[1];
    bool numeric = false;
    parsed.categoryNumber = parsed.category.toInt(&numeric);
    if (!numeric || !IsTitleCategory(parsed.categoryNumber) || parsed.category.size() != 1)
        return usage(QStringLiteral("--category must be 0 to 8")), false;
    return true;
}

bool textsUsable(const SearchArguments& parsed, bool replace) {
    const FindDialogRules rules = FindRulesFor(FindContextTitle);
    const auto fits = [&rules](const QString& text) {
        return rules.textUsable(text) && text.size() <= rules.maxLength;
    };
    if (!fits(parsed.text))
        return usage(QStringLiteral("the search text must be 1 to %1 characters")
                         .arg(rules.maxLength)),
               false;
    if (replace && !fits(parsed.replacement))
        return usage(QStringLiteral("the replacement text must be 1 to %1 characters")
                         .arg(rules.maxLength)),
               false;
    return true;
}

QString numberColumn(int category, const TitleRow& row) {
    return TitleCategoryAt(category).isTextBox ? QStringLiteral("-") : row.number;
}

// Forwards every message to the terminal but keeps the replace count for stdout, printed
// once the file is written.
class ReplaceMessages : public MessageSink {
public:
    explicit ReplaceMessages(MessageSink& terminal) : m_terminal(terminal) {}
    int ShowMessage(int number, const QString& extra) override {
        if (number != MessageReplace)
            return m_terminal.ShowMessage(number, extra);
        replacedText = extra;
        return ButtonOk;
    }
    QString replacedText;

private:
    MessageSink& m_terminal;
};

// The steps both commands share: arguments, the typed texts, the file. ExitOk to go on.
int prepare(CliContext& context, const CommandLine& line, bool replace, SearchArguments& parsed,
            const TitleCharTable& table, TitleDocument& document) {
    if (!parse(line, replace, parsed))
        return ExitUsage;
    parsed.text = typedText(parsed.text, table);
    parsed.replacement = typedText(parsed.replacement, table);
    if (!textsUsable(parsed, replace))
        return ExitUsage;
    return ReadTitleFileForCli(context, parsed.file, document) ? ExitOk : ExitFailed;
}

} // namespace

int RunTitleFind(CliContext& context, const CommandLine& line) {
    SearchArguments parsed;
    const TitleCharTable table(context.settings().languageIndex());
    TitleDocument document;
    if (const int failed = prepare(context, line, false, parsed, table, document))
        return failed;
    const FindOptions options = FindRulesFor(FindContextTitle).options(parsed.text, parsed.whole);
    const int category = parsed.categoryNumber;
    int hits = 0;
    for (int position = 0; position < document.rowCount(category); ++position) {
        const TitleRow& row = document.row(category, position);
        if (!TextMatches(row.title, options))
            continue;
        printLine(numberColumn(category, row) + QLatin1Char('\t') + row.title);
        ++hits;
    }
    if (hits > 0)
        return ExitOk;
    context.messages().ShowMessage(MessageReachedLastLine);
    return ExitFailed;
}

int RunTitleReplace(CliContext& context, const CommandLine& line) {
    SearchArguments parsed;
    const TitleCharTable table(context.settings().languageIndex());
    TitleDocument document;
    if (const int failed = prepare(context, line, true, parsed, table, document))
        return failed;
    ReplaceMessages messages(context.messages());
    TitleEditor editor(document, table, context.language(), messages);
    editor.changeTab(parsed.categoryNumber);
    TitleFindTarget target(editor);
    FindState state;
    TextFinder finder(state, messages, context.language());
    const FindOptions options = FindRulesFor(FindContextTitle).options(parsed.text, parsed.whole);
    if (finder.replaceAll(target, options, parsed.replacement) == 0)
        return ExitFailed;
    const QString output = parsed.output.isEmpty() ? parsed.file : parsed.output;
    if (const int refused = CheckOutputForCli(QStringLiteral("titles"), output, {},
                                              QStringLiteral("nothing written")))
        return refused;
    if (!WriteTitleFile(output, document, TitleFileLabelsFor(context.language()),
                        context.messages()))
        return ExitFailed;
    printLine(messages.replacedText);
    return ExitOk;
}

} // namespace zel::cli
