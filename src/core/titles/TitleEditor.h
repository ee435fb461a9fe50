#pragma once
// The editing of one title window without widgets: the category shown, one level of undo,
// cut / copy / paste / delete of grid rows, typed titles, Check and Sort, and the rule that
// gates UPLOAD. Rows are addressed by display position (0-based), as the grid shows them.
//
// UPLOAD is enabled only by a check without errors of the category shown, and only while the
// document holds titles that were read, downloaded or edited: a fresh or unreadable document
// is never uploaded. Any change (MarkModified), a tab change or a failed check disables it.
#include "TitleCheck.h"
#include "TitleUndoRecord.h"

#include <QStringList>
#include <functional>

namespace zel {

class LanguageTables;
class MessageSink;
class TitleCharTable;
class TitleDocument;

class TitleEditor {
public:
    // Undo snapshot kinds of `Undo_TitleSet`.
    enum UndoKind { UndoCut = 1, UndoPaste = 2, UndoTyping = 3, UndoDelete = 4, UndoReplace = 5 };

    TitleEditor(TitleDocument& document, const TitleCharTable& table,
                const LanguageTables& language, MessageSink& messages);

    TitleDocument& document() { return m_document; }
    const TitleDocument& document() const { return m_document; }

    // TitleCurrentTab.
    int currentTab() const { return m_tab; }
    void changeTab(int category);
    bool isTextTab() const;
    int rowCount() const; // rows of the category shown (1 for a text box)

    bool uploadEnabled() const { return m_checkPassed && m_hasContent; }
    // Why UPLOAD is off, for its tool tip: what the user has to do first ("" when it is on).
    QString uploadOffHint() const;
    bool undoEnabled() const { return !m_undo.isEmpty(); }
    bool sortEnabled() const;
    const TitleUndoRecord& undoRecord() const { return m_undo; }

    // Whether the titles came from somewhere: a file read, a completed download or an edit.
    bool hasContent() const { return m_hasContent; }
    // New titles arrived (or went): UPLOAD waits for a check of them.
    void setHasContent(bool hasContent);

    // Repaint requests: menus and buttons; the titles of a category.
    std::function<void()> onStateChanged;
    std::function<void(int category)> onTitlesChanged;

    // Undo snapshots (`Undo_TitleSet`): one title as it is now (typing in a box or the
    // in-cell editor, kind 3); `count` rows from `first` (kinds 1, 2, 4, 5); every row of
    // the category (replace all).
    void snapshotTitle(int category, int position);
    void snapshotRows(int category, int first, int count);
    void snapshotAllRows(int category);
    void disableUndo(); // after a file was read
    // mnuReturns: the saved texts go back; their category becomes the one shown.
    void Undo();

    // A title typed, pasted or replaced: stored, document marked modified.
    void setTitle(int category, int position, const QString& text);
    QStringList copyRows(int category, int first, int last) const;
    QStringList cutRows(int category, int first, int last);
    void deleteRows(int category, int first, int last);
    // Pastes one title per row from `position` down, stopping at the last row; returns the
    // number of rows written.
    int pasteRows(int category, int position, const QStringList& lines);

    // mnuCheck on the category shown: message and UPLOAD. True when no title failed.
    bool check();
    // The all-upload check passed (UPLOAD enabled) or failed.
    void allCategoriesChecked(bool passed);
    // mnuSort, POSITION only.
    void sort();

    // The document changed without the editor (file read, download): repaint all.
    void documentReplaced();
    // A document read in place of the last (Open, Import CSV): the check that enabled
    // UPLOAD was of other titles, so UPLOAD waits for a new one.
    void documentRead();

private:
    void edited(int category);
    void stateChanged();
    void titlesChanged(int category);
    // Clamped display positions first..last of a grid category; false when empty.
    bool rowRange(int category, int& first, int& last) const;

    TitleDocument& m_document;
    const TitleCharTable& m_table;
    const LanguageTables& m_language;
    MessageSink& m_messages;
    TitleUndoRecord m_undo;
    int m_tab = 0;
    bool m_checkPassed = false;
    bool m_hasContent = false;
};

} // namespace zel
