#include "TitleFindTarget.h"

#include "TitleDocument.h"
#include "TitleEditor.h"

namespace zel {

TitleFindTarget::TitleFindTarget(TitleEditor& editor) : m_editor(editor) {}

int TitleFindTarget::lineCount() const {
    return m_editor.rowCount();
}

QString TitleFindTarget::lineText(int line) const {
    return m_editor.document().row(m_editor.currentTab(), line - 1).title;
}

void TitleFindTarget::replaceLine(int line, const QString& text) {
    m_editor.setTitle(m_editor.currentTab(), line - 1, text);
}

void TitleFindTarget::showHit(int line) {
    if (onHit)
        onHit(line);
}

void TitleFindTarget::beforeReplace(int line) {
    m_editor.snapshotRows(m_editor.currentTab(), line - 1, 1);
}

void TitleFindTarget::beginReplaceAll() {
    m_editor.snapshotAllRows(m_editor.currentTab());
}

bool TitleFindTarget::walks() const {
    return !m_editor.isTextTab();
}

} // namespace zel
