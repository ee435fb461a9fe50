#pragma once
// Find context 5: the send-data lines of the communication test, TextSend(1..16), as lines
// for TextFinder. A replacement goes into the row as typed text would (cut to 494 digits).
#include "find/FindTarget.h"

#include <functional>

namespace zel {

class TestScreen;

class TestFindTarget : public FindTarget {
public:
    explicit TestFindTarget(TestScreen& screen);

    int lineCount() const override;
    QString lineText(int line) const override;
    void replaceLine(int line, const QString& text) override;
    void showHit(int line) override;
    void endReplaceAll(int count) override;

    std::function<void(int line)> onChanged; // the window shows the row's new text
    std::function<void(int line)> onHit;     // the window highlights the line alone
    std::function<void()> onClearHits;       // the window takes every highlight off

    // Where the caret goes when the dialog has closed: the line whose highlight comes off, or
    // `startLine` (FindStartLine, within the lines) when none is highlighted.
    int caretLineAfterFind(int startLine) const;
    void forgetHighlight() { m_highlighted = 0; } // a new dialog starts without one

private:
    TestScreen& m_screen;
    int m_highlighted = 0; // the line shown as the hit, 0 when none
};

} // namespace zel
