#pragma once
// What the find and replace dialogs remember between openings, program-wide: which editor
// opened them (FindContext), the line where the next search starts (FindStartLine, from 1) and
// the text put into the search box when a dialog opens (LastFindText), and the seat of the one
// dialog open at a time.
#include "FindDialogSeat.h"

#include <QString>

namespace zel {

enum FindContextId : int {
    FindContextTitle = 1, // a title window: the category shown
    FindContextTest = 5,  // the communication test: its send-data lines, hexadecimal text
    FindContextLog = 6,   // the communication log: its rows (find only)
};

struct FindState {
    int FindContext = FindContextTitle;
    int FindStartLine = 1;
    QString LastFindText;
    FindDialogSeat DialogSeat;
};

} // namespace zel
