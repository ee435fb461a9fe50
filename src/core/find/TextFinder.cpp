#include "TextFinder.h"

#include "FindState.h"
#include "FindTarget.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "shell/LanguageTables.h"

namespace zel {

TextFinder::TextFinder(FindState& state, MessageSink& messages, const LanguageTables& language)
    : m_state(state), m_messages(messages), m_language(language) {}

QString TextFinder::ReplacedCountText(const LanguageTables& language, int count) {
    return QString::number(count) + language.piece(MessagePiece::ReplaceCount);
}

int TextFinder::reachedLastLine() {
    m_state.FindStartLine = 1;
    m_messages.ShowMessage(MessageReachedLastLine);
    return 0;
}

int TextFinder::nextMatch(const FindTarget& target, const FindOptions& options, int from) const {
    if (!target.walks())
        return target.lineCount() >= 1 && TextMatches(target.lineText(1), options) ? 1 : 0;
    for (int line = qMax(1, from); line <= target.lineCount(); ++line)
        if (TextMatches(target.lineText(line), options))
            return line;
    return 0;
}

bool TextFinder::replaceCounts(const FindTarget& target, int line, const FindOptions& options,
                               const QString& replacement) const {
    // Hexadecimal lines count only when the replacement changes them.
    if (options.rule != FindMatchRule::ByteBoundary)
        return true;
    const QString text = target.lineText(line);
    return ReplaceMatches(text, options, replacement) != text;
}

int TextFinder::find(FindTarget& target, const FindOptions& options) {
    const int hit = nextMatch(target, options, m_state.FindStartLine);
    if (hit == 0) {
        if (!target.walks()) { // a single box keeps FindStartLine
            m_messages.ShowMessage(MessageReachedLastLine);
            return 0;
        }
        return reachedLastLine();
    }
    target.showHit(hit);
    if (target.walks())
        m_state.FindStartLine = hit + 1;
    return hit;
}

int TextFinder::replaceNext(FindTarget& target, const FindOptions& options,
                            const QString& replacement) {
    int line = nextMatch(target, options, m_state.FindStartLine);
    while (line > 0 && !replaceCounts(target, line, options, replacement))
        line = target.walks() ? nextMatch(target, options, line + 1) : 0;
    if (line == 0)
        return reachedLastLine();
    target.beforeReplace(line);
    target.replaceLine(line, ReplaceMatches(target.lineText(line), options, replacement));
    target.showHit(line);
    if (target.walks())
        m_state.FindStartLine = line + 1;
    return line;
}

int TextFinder::replaceAll(FindTarget& target, const FindOptions& options,
                           const QString& replacement) {
    target.beginReplaceAll();
    int count = 0;
    for (int line = nextMatch(target, options, 1); line > 0;
         line = target.walks() ? nextMatch(target, options, line + 1) : 0) {
        if (!replaceCounts(target, line, options, replacement))
            continue;
        target.replaceLine(line, ReplaceMatches(target.lineText(line), options, replacement));
        ++count;
    }
    target.endReplaceAll(count);
    if (count > 0)
        m_messages.ShowMessage(MessageReplace, ReplacedCountText(m_language, count));
    else
        m_messages.ShowMessage(MessageReachedLastLine);
    m_state.FindStartLine = 1;
    return count;
}

} // namespace zel
