#include "TitleGridView.h"

#include "TitleGridModel.h"
#include "common/FilteredKeys.h"
#include "titles/TitleDocument.h"
#include "titles/TitleEditor.h"
#include "titletable/TitleCharTable.h"

#include <QHeaderView>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

namespace zel::gui {

namespace {
constexpr int kTwipsPerPixel = 15;
constexpr int kNumberColumnWidth = 1200 / kTwipsPerPixel;
constexpr int kTitleColumnWidth = 2650 / kTwipsPerPixel;
constexpr int kHeaderMargin = 20;

bool isPlainKey(const QKeyEvent* event) {
    return !(event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
}
} // namespace

TitleGridView::TitleGridView(TitleEditor& editor, const TitleCharTable& table,
                             TitleGridModel* model, QWidget* parent)
    : QTableView(parent), m_editor(editor), m_table(table), m_category(model->category()) {
    setObjectName(QStringLiteral("MSFlexGridID%1").arg(m_category));
    setModel(model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->setStretchLastSection(false);
    // At least the documented width, and wide enough for its header ("POSITION No.").
    setColumnWidth(TitleGridModel::ColumnNumber,
                   qMax(kNumberColumnWidth, horizontalHeader()->fontMetrics().horizontalAdvance(
                                                model->headerData(0, Qt::Horizontal).toString()) +
                                                kHeaderMargin));
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setColumnWidth(TitleGridModel::ColumnTitle, kTitleColumnWidth);
    horizontalHeader()->setSectionResizeMode(TitleGridModel::ColumnTitle, QHeaderView::Stretch);
    setColumnHidden(TitleGridModel::ColumnCheckMark, true);
    setColumnHidden(TitleGridModel::ColumnNumberKey, true);
    setCurrentRow(0);

    m_workText = new QLineEdit(viewport());
    m_workText->setObjectName(QStringLiteral("TextWorkText"));
    m_workText->setContextMenuPolicy(Qt::NoContextMenu);
    m_workText->setDragEnabled(false);
    m_workText->setAcceptDrops(false);
    m_workText->hide();
    m_workText->installEventFilter(this);
    connect(m_workText, &QLineEdit::textChanged, this, &TitleGridView::onEditorChanged);
    connect(this, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        setCurrentRow(index.row());
        openEditor();
    });
}

bool TitleGridView::isEditorOpen() const {
    return m_editRow >= 0 && !m_workText->isHidden();
}

int TitleGridView::currentRow() const {
    return qMax(0, currentIndex().row());
}

void TitleGridView::setCurrentRow(int row) {
    const int bounded = qBound(0, row, model()->rowCount() - 1);
    setCurrentIndex(model()->index(bounded, TitleGridModel::ColumnTitle));
    scrollTo(currentIndex());
}

void TitleGridView::selectedRange(int& first, int& last) const {
    first = last = currentRow();
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        first = qMin(first, index.row());
        last = qMax(last, index.row());
    }
}

void TitleGridView::openEditor() {
    const int row = currentRow();
    const QModelIndex cell = model()->index(row, TitleGridModel::ColumnTitle);
    scrollTo(cell);
    m_editRow = row;
    m_loading = true;
    m_workText->setText(m_editor.document().row(m_category, row).title);
    m_loading = false;
    QPalette palette = m_workText->palette();
    palette.setColor(QPalette::Text, m_editor.document().row(m_category, row).failedCheck()
                                         ? QColor(Qt::red)
                                         : this->palette().color(QPalette::Text));
    m_workText->setPalette(palette);
    m_workText->setGeometry(visualRect(cell).adjusted(1, 1, -1, -1));
    m_workText->selectAll();
    m_firstKey = true;
    m_workText->show();
    m_workText->setFocus();
}

void TitleGridView::hideEditor() {
    m_workText->hide();
    m_editRow = -1;
}

void TitleGridView::onEditorChanged(const QString& text) {
    if (m_loading || m_editRow < 0)
        return;
    m_editor.setTitle(m_category, m_editRow, text);
}

void TitleGridView::keyPressEvent(QKeyEvent* event) {
    if (isPlainKey(event)) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            setCurrentRow(currentRow() + 1);
            return;
        case Qt::Key_Delete:
            emit deleteRequested();
            return;
        case Qt::Key_F2:
            openEditor();
            return;
        default:
            break;
        }
    }
    // Typed characters edit nothing here (and do not search the rows either).
    if (!event->text().isEmpty() && event->text().at(0).isPrint() &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return;
    QTableView::keyPressEvent(event);
}

void TitleGridView::moveFromEditor(int step, bool reopen) {
    hideEditor();
    setCurrentRow(currentRow() + step);
    setFocus();
    if (reopen)
        openEditor();
}

bool TitleGridView::editorKey(QKeyEvent* event) {
    const int key = event->key();
    if (m_firstKey && key != Qt::Key_Left && key != Qt::Key_Right &&
        !(event->modifiers() & Qt::ControlModifier)) {
        m_firstKey = false;
        m_editor.snapshotTitle(m_category, m_editRow);
    }
    switch (key) {
    case Qt::Key_Up:
        moveFromEditor(-1, false);
        return true;
    case Qt::Key_Down:
        moveFromEditor(1, false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        moveFromEditor(1, true);
        return true;
    case Qt::Key_Escape:
        setFocus();
        return true;
    default:
        break;
    }
    return insertFilteredKey(m_workText, event, [this](int key) { return normalizedKey(key); });
}

int TitleGridView::normalizedKey(int key) const {
    m_table.NormalizeTitleKey(key);
    return key;
}

bool TitleGridView::editorInput(const QInputMethodEvent* event) {
    if (event->commitString().isEmpty())
        return false;
    if (m_firstKey) {
        m_firstKey = false;
        m_editor.snapshotTitle(m_category, m_editRow);
    }
    return commitFilteredText(m_workText, event, [this](int key) { return normalizedKey(key); });
}

bool TitleGridView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_workText)
        return QTableView::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress && editorKey(static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::InputMethod && editorInput(static_cast<QInputMethodEvent*>(event)))
        return true;
    if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        // A menu or the find dialog opening is not leaving the editor.
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
            QTimer::singleShot(0, this, [this] {
                if (!m_workText->hasFocus())
                    hideEditor();
            });
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace zel::gui
