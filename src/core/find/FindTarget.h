#pragma once
// The editor side of find and replace: a list of text lines counted from 1 (a title grid's
// rows, one title box, the send-data lines of the communication test, the rows of the log with
// their cells joined). TextFinder walks the lines and calls back to show and change them.
//
// An editor implements lineCount/lineText, and for replace replaceLine; the other calls are
// optional hooks:
//   showHit(line)            highlight the line, make it current and scroll it into view
//   beforeReplace(line)      take the undo snapshot of one line about to change
//   beginReplaceAll()        take the undo snapshot of every line before a replace all
//   endReplaceAll(count)     after a replace all that changed `count` lines
//   walks()                  false for a single text box: every search tests line 1 and
//                            FindStartLine is left alone
#include <QString>

namespace zel {

class FindTarget {
public:
    virtual ~FindTarget() = default;

    virtual int lineCount() const = 0;
    virtual QString lineText(int line) const = 0;
    virtual void replaceLine(int line, const QString& text) {
        Q_UNUSED(line);
        Q_UNUSED(text);
    }

    virtual void showHit(int line) { Q_UNUSED(line); }
    virtual void beforeReplace(int line) { Q_UNUSED(line); }
    virtual void beginReplaceAll() {}
    virtual void endReplaceAll(int count) { Q_UNUSED(count); }
    virtual bool walks() const { return true; }
};

} // namespace zel
