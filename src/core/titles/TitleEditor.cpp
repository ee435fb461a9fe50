#include "TitleEditor.h"

#include "TitleDocument.h"
#include "shell/ToolTexts.h"
#include "titletable/TitleCategory.h"

namespace zel {

QString TitleEditor::uploadOffHint() const {
    if (!m_hasContent)
        return toolText(m_language, ToolText::UploadNeedsTitles);
    if (!m_checkPassed)
        return toolText(m_language, ToolText::UploadNeedsCheck);
    return {};
}

TitleEditor::TitleEditor(TitleDocument& document, const TitleCharTable& table,
                         const LanguageTables& language, MessageSink& messages)
    : m_document(document), m_table(table), m_language(language), m_messages(messages) {
    m_document.onModified = [this] {
        m_checkPassed = false;
        stateChanged();
    };
}

void TitleEditor::stateChanged() {
    if (onStateChanged)
        onStateChanged();
}

void TitleEditor::titlesChanged(int category) {
    if (onTitlesChanged)
        onTitlesChanged(category);
}

void TitleEditor::changeTab(int category) {
    if (!IsTitleCategory(category))
        return;
    m_tab = category;
    m_checkPassed = false; // an upload needs a check of the category shown
    stateChanged();
}

bool TitleEditor::isTextTab() const {
    return TitleCategoryAt(m_tab).isTextBox;
}

int TitleEditor::rowCount() const {
    return m_document.rowCount(m_tab);
}

bool TitleEditor::sortEnabled() const {
    return m_tab == CategoryPosition;
}

void TitleEditor::setHasContent(bool hasContent) {
    m_hasContent = hasContent;
    m_checkPassed = false; // titles from somewhere new: a check of the old ones does not count
    stateChanged();
}

// ---- Undo ------------------------------------------------------------------------------

void TitleEditor::snapshotRows(int category, int first, int count) {
    int last = first + count - 1;
    if (!IsTitleCategory(category) || count < 1 || !rowRange(category, first, last))
        return;
    TitleUndoRecord record;
    record.Tab = category;
    record.StartRow = first;
    for (int position = first; position <= last; ++position) {
        const TitleRow& row = m_document.row(category, position);
        record.numbers.append(row.numberValue());
        record.UndoBuffer.append(row.title);
    }
    record.Count = int(record.UndoBuffer.size());
    m_undo = record;
    stateChanged();
}

void TitleEditor::snapshotTitle(int category, int position) {
    snapshotRows(category, position, 1);
}

void TitleEditor::snapshotAllRows(int category) {
    snapshotRows(category, 0, m_document.rowCount(category));
}

void TitleEditor::disableUndo() {
    m_undo = {};
    stateChanged();
}

void TitleEditor::Undo() {
    if (m_undo.isEmpty())
        return;
    const TitleUndoRecord record = m_undo;
    m_undo = {};
    for (int i = 0; i < record.Count; ++i)
        m_document.setTitle(record.Tab, record.numbers[i], record.UndoBuffer[i]);
    if (m_tab != record.Tab)
        changeTab(record.Tab);
    edited(record.Tab);
}

// ---- Edits -------------------------------------------------------------------------------

void TitleEditor::edited(int category) {
    m_hasContent = true;
    m_document.MarkModified(); // disables UPLOAD and repaints the menus
    titlesChanged(category);
}

bool TitleEditor::rowRange(int category, int& first, int& last) const {
    const int count = m_document.rowCount(category);
    if (first > last)
        std::swap(first, last);
    first = qMax(first, 0);
    last = qMin(last, count - 1);
    return first <= last;
}

void TitleEditor::setTitle(int category, int position, const QString& text) {
    if (position < 0 || position >= m_document.rowCount(category))
        return;
    m_document.row(category, position).title = text;
    edited(category);
}

QStringList TitleEditor::copyRows(int category, int first, int last) const {
    QStringList titles;
    if (!rowRange(category, first, last))
        return titles;
    for (int position = first; position <= last; ++position)
        titles.append(m_document.row(category, position).title);
    return titles;
}

QStringList TitleEditor::cutRows(int category, int first, int last) {
    const QStringList titles = copyRows(category, first, last);
    if (!titles.isEmpty())
        deleteRows(category, first, last);
    return titles;
}

void TitleEditor::deleteRows(int category, int first, int last) {
    if (!rowRange(category, first, last))
        return;
    snapshotRows(category, first, last - first + 1);
    for (int position = first; position <= last; ++position)
        m_document.row(category, position).title.clear();
    edited(category);
}

int TitleEditor::pasteRows(int category, int position, const QStringList& lines) {
    const int count = qMin(int(lines.size()), m_document.rowCount(category) - position);
    if (position < 0 || count < 1)
        return 0;
    snapshotRows(category, position, count);
    for (int i = 0; i < count; ++i)
        m_document.row(category, position + i).title = lines[i];
    edited(category);
    return count;
}

// ---- Tool --------------------------------------------------------------------------------

bool TitleEditor::check() {
    const TitleCheckCounts counts = CheckCategory(m_document, m_table, m_tab);
    titlesChanged(m_tab); // colours, and POSITION back in number order
    m_checkPassed = ShowCheckResult(m_messages, m_language, counts);
    stateChanged();
    return m_checkPassed;
}

void TitleEditor::allCategoriesChecked(bool passed) {
    for (int category = 0; category < kTitleCategoryCount; ++category)
        titlesChanged(category);
    m_checkPassed = passed;
    stateChanged();
}

void TitleEditor::sort() {
    if (!sortEnabled())
        return;
    m_document.sortByCheckMark(CategoryPosition);
    titlesChanged(CategoryPosition);
}

void TitleEditor::documentRead() {
    m_checkPassed = false;
    documentReplaced();
}

void TitleEditor::documentReplaced() {
    for (int category = 0; category < kTitleCategoryCount; ++category)
        titlesChanged(category);
    stateChanged();
}

} // namespace zel
