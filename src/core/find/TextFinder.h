#pragma once
// Find and replace over a FindTarget, shared by the title window, the communication test and
// the communication log. A search goes forward from FindStartLine and stops at the first hit;
// past the last line it shows "Reached the last line." (message 11) and starts at the top next
// time. Replace All shows "N pieces replaced." (message 14) or message 11.
//
// Use: set FindState::FindContext (and FindStartLine, LastFindText) when the editor opens a
// dialog, then call find / replaceNext / replaceAll with the dialog's text and options.
#include "FindRules.h"

namespace zel {

class FindTarget;
class LanguageTables;
class MessageSink;
struct FindState;

class TextFinder {
public:
    TextFinder(FindState& state, MessageSink& messages, const LanguageTables& language);

    // The first matching line from FindStartLine (shown through showHit), or 0 after
    // message 11.
    int find(FindTarget& target, const FindOptions& options);
    // Replaces in the first matching line from FindStartLine (undo snapshot first, then
    // shown); 0 after message 11 when nothing was replaced.
    int replaceNext(FindTarget& target, const FindOptions& options, const QString& replacement);
    // Replaces in every matching line; returns the number of lines changed.
    int replaceAll(FindTarget& target, const FindOptions& options, const QString& replacement);

    // The text of message 14 for `count` replacements: "3 pieces replaced.".
    static QString ReplacedCountText(const LanguageTables& language, int count);

private:
    // The first line from `from` that a replacement changes (or a search hits), or 0.
    int nextMatch(const FindTarget& target, const FindOptions& options, int from) const;
    bool replaceCounts(const FindTarget& target, int line, const FindOptions& options,
                       const QString& replacement) const;
    int reachedLastLine();

    FindState& m_state;
    MessageSink& m_messages;
    const LanguageTables& m_language;
};

} // namespace zel
