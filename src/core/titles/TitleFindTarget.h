#pragma once
// Find context 1: the category a title window shows, as lines for TextFinder. A grid gives one
// line per row in display order; CAMERA ID and AUTO PAN ID give their one box. Replacements go
// through the editor, so they take the undo snapshot (kind 5) and mark the document modified.
#include "find/FindTarget.h"

#include <functional>

namespace zel {

class TitleEditor;

class TitleFindTarget : public FindTarget {
public:
    explicit TitleFindTarget(TitleEditor& editor);

    int lineCount() const override;
    QString lineText(int line) const override;
    void replaceLine(int line, const QString& text) override;
    void showHit(int line) override;
    void beforeReplace(int line) override;
    void beginReplaceAll() override;
    bool walks() const override;

    // The window highlights the hit (grid row = line, or the box) and scrolls to it.
    std::function<void(int line)> onHit;

private:
    TitleEditor& m_editor;
};

} // namespace zel
