#pragma once
// The matching rule of find and replace and what each context's dialogs allow.
//
// Whole match: the line equals the search text. Otherwise the line contains it: anywhere
// (titles, log; case-sensitive), or only at an odd position counted from 1, that is on a byte
// boundary of hexadecimal text (communication test). A partial replacement rewrites every
// occurrence of the search text in a matching line, wherever it stands.
#include <QString>

namespace zel {

class TitleCharTable;

enum class FindMatchRule { Anywhere, ByteBoundary };

struct FindOptions {
    QString text; // the search text (not empty)
    bool whole = false;
    FindMatchRule rule = FindMatchRule::Anywhere;
};

bool TextMatches(const QString& line, const FindOptions& options);
// The line after a replacement: `replacement` (whole match) or every occurrence replaced.
QString ReplaceMatches(const QString& line, const FindOptions& options, const QString& replacement);

// What the dialogs of one context allow.
struct FindDialogRules {
    int context = 0;
    int maxLength = 0;       // of the search and the replacement box
    bool startsWithLastFind; // the search box opens with LastFindText, all selected
    bool canReplace;         // the replace dialog exists for the context
    bool evenLengthOnly;     // hexadecimal text: whole bytes only
    FindMatchRule rule;

    FindOptions options(const QString& text, bool whole) const { return {text, whole, rule}; }
    // Search, Replace and Replace All are enabled only for a usable text.
    bool textUsable(const QString& text) const;
};

// Rules of context 1, 5 or 6; any other number gives the rules of context 1.
FindDialogRules FindRulesFor(int context);

// One typed character of a dialog box, as the context takes it; 0 drops the key. Context 1:
// the title key normaliser; 5: hexadecimal digits, upper case; 6: letters in upper case.
int FilterFindKey(int context, int key, const TitleCharTable& table);

// Context 5: every character of the replacement is 0-9 or A-F.
bool CheckHexReplacement(const QString& text);

} // namespace zel
