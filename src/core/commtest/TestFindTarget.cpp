#include "TestFindTarget.h"

#include "TestScreen.h"

#include <algorithm>

namespace zel {

TestFindTarget::TestFindTarget(TestScreen& screen) : m_screen(screen) {}

int TestFindTarget::lineCount() const {
    return TestScreen::kRowCount;
}

QString TestFindTarget::lineText(int line) const {
    return m_screen.row(line).text;
}

void TestFindTarget::replaceLine(int line, const QString& text) {
    m_screen.setRowText(line, text);
    if (onChanged)
        onChanged(line);
}

void TestFindTarget::showHit(int line) {
    m_highlighted = line;
    if (onHit)
        onHit(line);
}

void TestFindTarget::endReplaceAll(int count) {
    if (count <= 0)
        return;
    m_highlighted = 0;
    if (onClearHits)
        onClearHits();
}

int TestFindTarget::caretLineAfterFind(int startLine) const {
    return m_highlighted > 0 ? m_highlighted : std::clamp(startLine, 1, TestScreen::kRowCount);
}

} // namespace zel
