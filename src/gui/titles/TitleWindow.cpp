#include "TitleWindow.h"

#include "TitleGridModel.h"
#include "TitleGridView.h"
#include "common/FilteredKeys.h"
#include "common/NumberBoxes.h"
#include "common/NumberRange.h"
#include "link/LinkEngine.h"
#include "shell/Application.h"
#include "shell/LanguageTables.h"
#include "shell/MenuState.h"
#include "shell/MenuWindow.h"
#include "shell/ToolTexts.h"
#include "titles/TitleAutoBackup.h"
#include "titles/TitleCategory.h"
#include "titles/TitleDocument.h"
#include "titles/TitleDocumentSession.h"
#include "titles/TitleEditor.h"
#include "titles/TitleFileWriter.h"
#include "titles/TitleFindTarget.h"
#include "titles/TitleTransfer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace zel::gui {

namespace {

// Index of a text-box category in the window's two title boxes.
int textBoxIndex(int category) {
    return category == CategoryCamera ? 0 : 1;
}

// Half the height of the number box it steps, so the pair stands as high as the box.
QToolButton* arrowButton(const QString& name, Qt::ArrowType arrow, const QLineEdit& box) {
    auto* button = new QToolButton(box.parentWidget());
    button->setObjectName(name);
    button->setFixedHeight(box.sizeHint().height() / 2);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    return button;
}

} // namespace

TitleWindow::TitleWindow(Application& app, int slot, QWidget* parent)
    : QMainWindow(parent), m_app(app), m_slot(slot), m_document(std::make_unique<TitleDocument>()) {
    setObjectName(QStringLiteral("frmTitleSet"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_session = std::make_unique<TitleDocumentSession>(app.titleSlots(), slot, *m_document,
                                                       app.messages(), app.language());
    m_editor = std::make_unique<TitleEditor>(*m_document, app.titleChars(), app.language(),
                                             app.messages());
    m_transfer = std::make_unique<TitleTransfer>(app.engine(), *m_document, app.titleChars(),
                                                 app.language());
    m_findTarget = std::make_unique<TitleFindTarget>(*m_editor);
    m_autoBackup =
        std::make_unique<TitleAutoBackup>(m_timerAutoSave, app.settings(), slot, *m_document,
                                          TitleFileLabelsFor(app.language()), app.messages());
    auto* central = new QWidget(this);
    setCentralWidget(central);
    new QVBoxLayout(central);
    buildNumberRow(central);
    buildTabs(central);
    buildMenus();
    applyCaptions();
    connectCore();
    loadWindow();
    // A comfortable size that still fits the screen (1024x768 at 200 % is 512x384).
    const QSize available = screen()->availableSize() * 9 / 10;
    resize(sizeHint().expandedTo(QSize(560, 520)).boundedTo(available));
}

TitleWindow* TitleWindow::openFromMenu(MenuWindow& menu, Application& app, int slot) {
    auto* window = new TitleWindow(app, slot, &menu);
    connect(window, &TitleWindow::newWindowRequested, &menu, [&menu, window] {
        connect(
            window, &QObject::destroyed, &menu,
            [&menu] { menu.clickButton(MenuState::ButtonTitle); }, Qt::QueuedConnection);
    });
    return window;
}

TitleWindow::~TitleWindow() {
    // The widgets refer to the document, the editor and the find target: they go first, and
    // nothing they do on the way out (focus moving on) reaches this half-destroyed window.
    disconnect(qApp, nullptr, this, nullptr);
    for (QObject* watched : findChildren<QLineEdit*>())
        watched->removeEventFilter(this);
    m_editor->onStateChanged = {};
    m_editor->onTitlesChanged = {};
    m_findTarget->onHit = {};
    m_transfer->onFinished = {};
    for (QDialog* dialog : findChildren<QDialog*>(Qt::FindDirectChildrenOnly))
        delete dialog; // the find dialogs and the transfer dialog
    delete takeCentralWidget();
    m_document->onModified = {};
}

// ---- Construction ------------------------------------------------------------------------

void TitleWindow::buildNumberRow(QWidget* central) {
    m_labelHostNo = new QLabel(central);
    m_labelCamNo = new QLabel(central);
    m_textHostNo = makeNumberBox(QStringLiteral("TextHostNo"), 2, central);
    m_textCamNo = makeNumberBox(QStringLiteral("TextCamNo"), 3, central);
    m_labelHostNo->setBuddy(m_textHostNo);
    m_labelCamNo->setBuddy(m_textCamNo);
    m_upHostNo = arrowButton(QStringLiteral("UpDownHostNoUp"), Qt::UpArrow, *m_textHostNo);
    m_downHostNo = arrowButton(QStringLiteral("UpDownHostNoDown"), Qt::DownArrow, *m_textHostNo);
    m_commandDL = new QPushButton(central);
    m_commandDL->setObjectName(QStringLiteral("CommandDL"));
    m_commandUL = new QPushButton(central);
    m_commandUL->setObjectName(QStringLiteral("CommandUL"));
    m_labelDownload = new QLabel(central);
    m_labelUpload = new QLabel(central);

    auto* upDown = new QVBoxLayout;
    upDown->setSpacing(0);
    upDown->addWidget(m_upHostNo);
    upDown->addWidget(m_downHostNo);
    auto* grid = new QGridLayout;
    grid->addWidget(m_labelHostNo, 0, 0);
    auto* hostRow = new QHBoxLayout;
    hostRow->setSpacing(0);
    hostRow->addWidget(m_textHostNo);
    hostRow->addLayout(upDown);
    grid->addLayout(hostRow, 0, 1);
    grid->addWidget(m_labelCamNo, 1, 0);
    grid->addWidget(m_textCamNo, 1, 1);
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(2, 1);
    grid->addWidget(m_labelDownload, 0, 3);
    grid->addWidget(m_commandDL, 0, 4);
    grid->addWidget(m_labelUpload, 1, 3);
    grid->addWidget(m_commandUL, 1, 4);
    static_cast<QVBoxLayout*>(central->layout())->addLayout(grid);
}

QWidget* TitleWindow::buildTextPage(int category) {
    auto* page = new QWidget(m_frames);
    const int index = textBoxIndex(category);
    auto* box = new QLineEdit(page);
    box->setObjectName(category == CategoryCamera ? QStringLiteral("TextCamera")
                                                  : QStringLiteral("TextAutoPan"));
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setAcceptDrops(false);
    m_textBoxes[size_t(index)] = box;
    m_textLabels[size_t(index)] = new QLabel(page);
    m_textLabels[size_t(index)]->setBuddy(box);
    auto* layout = new QGridLayout(page);
    layout->addWidget(m_textLabels[size_t(index)], 0, 0);
    layout->addWidget(box, 0, 1);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 1);
    return page;
}

void TitleWindow::buildTabs(QWidget* central) {
    m_tabStrip = new QTabBar(central);
    m_tabStrip->setObjectName(QStringLiteral("TabStripID"));
    m_tabStrip->setExpanding(false);
    m_tabStrip->setUsesScrollButtons(true);
    m_frames = new QStackedWidget(central);
    for (int category = 0; category < kTitleCategoryCount; ++category) {
        m_tabStrip->addTab(QString());
        QWidget* frame = nullptr;
        if (TitleCategoryAt(category).isTextBox) {
            frame = buildTextPage(category);
        } else {
            const QString header = m_app.language().text(LangGroup::TitleSet,
                                                         TitleSetHeader1 + category -
                                                             (category > CategoryAutoPan ? 2 : 1));
            m_models[size_t(category)] = new TitleGridModel(*m_document, category, header, this);
            m_grids[size_t(category)] = new TitleGridView(*m_editor, m_app.titleChars(),
                                                          m_models[size_t(category)], m_frames);
            frame = m_grids[size_t(category)];
        }
        frame->setProperty("FrameID", category);
        m_frames->addWidget(frame);
    }
    auto* layout = static_cast<QVBoxLayout*>(central->layout());
    layout->addWidget(m_tabStrip);
    layout->addWidget(m_frames, 1);
}

QAction* TitleWindow::addAction(QMenu* menu, int captionIndex, const QString& name,
                                const QKeySequence& shortcut, void (TitleWindow::*slot)()) {
    QAction* action = menu->addAction(QString());
    action->setObjectName(name);
    action->setProperty("captionIndex", captionIndex);
    action->setShortcut(shortcut);
    if (slot)
        connect(action, &QAction::triggered, this, slot);
    return action;
}

void TitleWindow::buildMenus() {
    m_menus[0] = menuBar()->addMenu(QString());
    m_menus[0]->setObjectName(QStringLiteral("mnuFile"));
    QMenu* file = m_menus[0];
    addAction(file, TitleSetMenuNew, QStringLiteral("mnuNew"), QKeySequence::New,
              &TitleWindow::onNew);
    addAction(file, TitleSetMenuOpen, QStringLiteral("mnuOpen"), QKeySequence::Open,
              &TitleWindow::onOpen);
    addAction(file, TitleSetMenuClose, QStringLiteral("mnuClose"), QKeySequence(),
              &TitleWindow::onClose);
    addAction(file, TitleSetMenuUpdate, QStringLiteral("mnuUpdate"), QKeySequence::Save,
              &TitleWindow::onSave);
    addAction(file, TitleSetMenuSave, QStringLiteral("mnuSave"), QKeySequence::SaveAs,
              &TitleWindow::onSaveAs);
    file->addSeparator();
    // Captions of this tool's own (a negative caption index): not in the language records.
    addAction(file, -int(ToolText::ImportCsv), QStringLiteral("mnuImportCsv"), QKeySequence(),
              &TitleWindow::onImportCsv);
    addAction(file, -int(ToolText::ExportCsv), QStringLiteral("mnuExportCsv"), QKeySequence(),
              &TitleWindow::onExportCsv);
    file->addSeparator();
    addAction(file, TitleSetMenuPrint, QStringLiteral("mnuPrint"), QKeySequence::Print,
              &TitleWindow::onPrint);
    file->addSeparator();
    addAction(file, TitleSetMenuAllDownLoad, QStringLiteral("mnuAllDownLoad"), QKeySequence(),
              &TitleWindow::onAllDownload);
    addAction(file, TitleSetMenuAllUpLoad, QStringLiteral("mnuAllUpLoad"), QKeySequence(),
              &TitleWindow::onAllUpload);

    m_menus[1] = menuBar()->addMenu(QString());
    m_menus[1]->setObjectName(QStringLiteral("mnuEdit"));
    QMenu* edit = m_menus[1];
    addAction(edit, TitleSetMenuReturns, QStringLiteral("mnuReturns"), QKeySequence::Undo,
              &TitleWindow::onUndo);
    edit->addSeparator();
    addAction(edit, TitleSetMenuCut, QStringLiteral("mnuCut"), QKeySequence::Cut,
              &TitleWindow::onCut);
    addAction(edit, TitleSetMenuCopy, QStringLiteral("mnuCopy"), QKeySequence::Copy,
              &TitleWindow::onCopy);
    addAction(edit, TitleSetMenuPaste, QStringLiteral("mnuPaste"), QKeySequence::Paste,
              &TitleWindow::onPaste);
    edit->addSeparator();
    addAction(edit, TitleSetMenuFind, QStringLiteral("mnuFind"), QKeySequence::Find,
              &TitleWindow::onFind);
    addAction(edit, TitleSetMenuRePlace, QStringLiteral("mnuRePlace"),
              QKeySequence(Qt::CTRL | Qt::Key_R), &TitleWindow::onReplace);

    m_menus[2] = menuBar()->addMenu(QString());
    m_menus[2]->setObjectName(QStringLiteral("mnuTool"));
    addAction(m_menus[2], TitleSetMenuCheck, QStringLiteral("mnuCheck"), QKeySequence(Qt::Key_F7),
              &TitleWindow::onCheck);
    addAction(m_menus[2], TitleSetMenuSort, QStringLiteral("mnuSort"),
              QKeySequence(Qt::CTRL | Qt::Key_T), &TitleWindow::onSort);
    // Opening a menu puts the focus back on the category (unless a cell is being edited).
    for (QMenu* menu : m_menus)
        connect(menu, &QMenu::aboutToShow, this, [this] {
            const TitleGridView* grid = currentGrid();
            if (!grid || !grid->isEditorOpen())
                FocusCurrentCategory();
        });
}

void TitleWindow::applyCaptions() {
    const LanguageTables& language = m_app.language();
    const auto text = [&language](int index) { return language.text(LangGroup::TitleSet, index); };
    m_labelHostNo->setText(text(TitleSetRemoteNo));
    m_labelCamNo->setText(text(TitleSetCameraNo));
    m_commandDL->setText(text(TitleSetDownload));
    m_commandUL->setText(text(TitleSetUpload));
    m_labelDownload->setText(text(TitleSetCameraToPc));
    m_labelUpload->setText(text(TitleSetPcToCamera));
    m_textLabels[0]->setText(text(TitleSetCameraIdLabel));
    m_textLabels[1]->setText(text(TitleSetAutoPanLabel));
    for (int category = 0; category < kTitleCategoryCount; ++category)
        m_tabStrip->setTabText(category, text(TitleSetTab0 + category));
    m_menus[0]->setTitle(text(TitleSetMenuFile));
    m_menus[1]->setTitle(text(TitleSetMenuEdit));
    m_menus[2]->setTitle(text(TitleSetMenuTool));
    for (QMenu* menu : m_menus)
        for (QAction* action : menu->actions())
            if (!action->isSeparator()) {
                const int index = action->property("captionIndex").toInt();
                action->setText(index < 0 ? toolText(language, ToolText(-index)) : text(index));
            }
}

void TitleWindow::connectCore() {
    m_editor->onStateChanged = [this] { refreshState(); };
    m_editor->onTitlesChanged = [this](int category) { refreshTitles(category); };
    m_findTarget->onHit = [this](int line) { showFindHit(line); };
    m_transfer->onFinished = [this](bool completed) {
        onTransferFinished(completed, m_transferIsDownload);
    };
    m_session->askSaveAsPath = [this] { return askSaveAsPath(); };

    connect(m_tabStrip, &QTabBar::currentChanged, this, &TitleWindow::onTabChanged);
    connect(m_commandDL, &QPushButton::clicked, this, &TitleWindow::onDownloadClicked);
    connect(m_commandUL, &QPushButton::clicked, this, &TitleWindow::onUploadClicked);
    connect(m_upHostNo, &QToolButton::clicked, this, [this] { stepRemoteNo(1); });
    connect(m_downHostNo, &QToolButton::clicked, this, [this] { stepRemoteNo(-1); });
    connect(m_textHostNo, &QLineEdit::textEdited, this, &TitleWindow::onRemoteEdited);
    connect(m_textCamNo, &QLineEdit::textEdited, this, &TitleWindow::onCameraEdited);
    for (int category : {int(CategoryCamera), int(CategoryAutoPan)})
        connect(textBoxOf(category), &QLineEdit::textChanged, this,
                [this, category](const QString& text) { onTitleBoxChanged(category, text); });
    for (TitleGridView* grid : m_grids)
        if (grid)
            connect(grid, &TitleGridView::deleteRequested, this, &TitleWindow::onDeleteRows);
    for (QLineEdit* box : findChildren<QLineEdit*>())
        box->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this] { updateCutCopy(); });
    // Keyboard: Ctrl+PgDn / Ctrl+PgUp step through the tabs.
    const auto stepTab = [this](int step) {
        const int count = m_tabStrip->count();
        m_tabStrip->setCurrentIndex((m_tabStrip->currentIndex() + step + count) % count);
    };
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageDown), this), &QShortcut::activated,
            this, [stepTab] { stepTab(1); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_PageUp), this), &QShortcut::activated,
            this, [stepTab] { stepTab(-1); });
    setTabOrder(m_textHostNo, m_textCamNo);
    setTabOrder(m_textCamNo, m_commandDL);
    setTabOrder(m_commandDL, m_commandUL);
    setTabOrder(m_commandUL, m_tabStrip);
    QWidget* previous = m_tabStrip;
    for (int category = 0; category < kTitleCategoryCount; ++category) {
        QWidget* control = textBoxOf(category) ? static_cast<QWidget*>(textBoxOf(category))
                                               : m_grids[size_t(category)];
        setTabOrder(previous, control);
        previous = control;
    }
}

void TitleWindow::loadWindow() {
    m_session->load();
    refreshBoxes();
    m_tabStrip->setCurrentIndex(CategoryCamera);
    m_frames->setCurrentIndex(CategoryCamera);
    m_editor->changeTab(CategoryCamera);
    refreshCaption();
    SetTime_OnOffProc();
    FocusCurrentCategory();
}

// ---- State shown -------------------------------------------------------------------------

TitleGridView* TitleWindow::MSFlexGridID(int category) const {
    return IsTitleCategory(category) ? m_grids[size_t(category)] : nullptr;
}

QAction* TitleWindow::action(const QString& name) const {
    for (QMenu* menu : m_menus)
        for (QAction* candidate : menu->actions())
            if (candidate->objectName() == name)
                return candidate;
    return nullptr;
}

QLineEdit* TitleWindow::textBoxOf(int category) const {
    return TitleCategoryAt(category).isTextBox ? m_textBoxes[size_t(textBoxIndex(category))]
                                               : nullptr;
}

TitleGridView* TitleWindow::currentGrid() const {
    return MSFlexGridID(m_editor->currentTab());
}

void TitleWindow::refreshTitles(int category) {
    if (TitleGridModel* model = m_models[size_t(category)]) {
        model->refresh();
        return;
    }
    QLineEdit* box = textBoxOf(category);
    const TitleRow& row = m_document->row(category, 0);
    if (box->text() != row.title) {
        m_loadingBoxes = true;
        box->setText(row.title);
        m_loadingBoxes = false;
    }
    QPalette palette = box->palette();
    palette.setColor(QPalette::Text, row.failedCheck()
                                         ? QColor(Qt::red)
                                         : QApplication::palette().color(QPalette::Text));
    box->setPalette(palette);
}

void TitleWindow::refreshBoxes() {
    m_loadingBoxes = true;
    m_textHostNo->setText(m_document->RemoteNo);
    m_textCamNo->setText(m_document->CameraNo);
    m_loadingBoxes = false;
    for (int category = 0; category < kTitleCategoryCount; ++category)
        refreshTitles(category);
}

void TitleWindow::refreshCaption() {
    setWindowTitle(m_session->caption());
}

void TitleWindow::onTabChanged(int category) {
    if (TitleGridView* grid = currentGrid())
        grid->hideEditor();
    m_frames->setCurrentIndex(category);
    m_editor->changeTab(category);
    FocusCurrentCategory();
}

void TitleWindow::FocusCurrentCategory() {
    const int category = m_editor->currentTab();
    if (QLineEdit* box = textBoxOf(category))
        box->setFocus();
    else
        m_grids[size_t(category)]->setFocus();
}

void TitleWindow::updateCutCopy() {
    // EnableCutCopy: off while a number box has the focus.
    const QWidget* focus = QApplication::focusWidget();
    const bool enabled = focus != m_textHostNo && focus != m_textCamNo;
    action(QStringLiteral("mnuCut"))->setEnabled(enabled);
    action(QStringLiteral("mnuCopy"))->setEnabled(enabled);
}

void TitleWindow::SetTime_OnOffProc() {
    m_autoBackup->SetTime_OnOffProc();
}

// ---- Keys of the boxes -------------------------------------------------------------------

bool TitleWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QMainWindow::eventFilter(watched, event);
    // The window's shortcuts act on the titles, not on the box's own clipboard and undo; from
    // a number box they act on the category shown.
    if (event->type() == QEvent::ShortcutOverride &&
        isWindowShortcut(static_cast<QKeyEvent*>(event))) {
        if (box == m_textHostNo || box == m_textCamNo)
            FocusCurrentCategory();
        return true; // not accepted: the menu's shortcut runs
    }
    if (box == m_textHostNo || box == m_textCamNo)
        return numberBoxEvent(box, event) || QMainWindow::eventFilter(watched, event);
    if (box == m_textBoxes[0] || box == m_textBoxes[1])
        return titleBoxEvent(box, event) || QMainWindow::eventFilter(watched, event);
    return QMainWindow::eventFilter(watched, event);
}

bool TitleWindow::isWindowShortcut(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    for (QMenu* menu : m_menus)
        for (const QAction* candidate : menu->actions())
            if (!candidate->shortcut().isEmpty() && candidate->shortcut() == pressed)
                return true;
    return false;
}

bool TitleWindow::numberBoxEvent(QLineEdit* box, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !decimalKeyAllowed(static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::FocusOut)
        onNumberBoxLeft(box, static_cast<QFocusEvent*>(event)->reason());
    return false;
}

void TitleWindow::onNumberBoxLeft(QLineEdit* box, Qt::FocusReason reason) {
    // Switching to another window or a popup is not leaving the box.
    if (m_checkingBox || !isVisible() || reason == Qt::ActiveWindowFocusReason ||
        reason == Qt::PopupFocusReason)
        return;
    m_checkingBox = true; // the message box and the refocus move the focus again
    const LanguageTables& language = m_app.language();
    const bool valid = box == m_textHostNo
                           ? kRemoteNoRange.check(m_app.messages(), language, box->text())
                           : kCameraNoRange.check(m_app.messages(), language, box->text());
    if (valid) {
        if (box == m_textCamNo)
            m_session->cameraNoAccepted();
        m_checkingBox = false;
        return;
    }
    refocusNumberBox(box, [this] { m_checkingBox = false; });
}

void TitleWindow::onRemoteEdited(const QString& text) {
    m_document->RemoteNo = text;
    m_document->MarkModified();
}

void TitleWindow::onCameraEdited(const QString& text) {
    m_document->MarkModified();
    m_session->ConfirmSaveOnCameraChange(text);
    refreshCaption();
}

void TitleWindow::stepRemoteNo(int step) {
    m_textHostNo->setText(QString::number(kRemoteNoRange.stepped(m_textHostNo->text(), step)));
    onRemoteEdited(m_textHostNo->text());
}

bool TitleWindow::titleBoxEvent(QLineEdit* box, QEvent* event) {
    const int category = box == m_textBoxes[0] ? CategoryCamera : CategoryAutoPan;
    const auto rule = [this](int character) {
        m_app.titleChars().NormalizeTitleKey(character);
        return character;
    };
    if (event->type() == QEvent::InputMethod) {
        const auto* input = static_cast<QInputMethodEvent*>(event);
        if (input->commitString().isEmpty())
            return false;
        m_editor->snapshotTitle(category, 0);
        return commitFilteredText(box, input, rule);
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    const bool typed = !text.isEmpty() && !(key->modifiers() & Qt::ControlModifier);
    if (!typed && key->key() != Qt::Key_Delete)
        return false;
    m_editor->snapshotTitle(category, 0); // the text as it was before this key
    return insertFilteredKey(box, key, rule);
}

void TitleWindow::onTitleBoxChanged(int category, const QString& text) {
    if (!m_loadingBoxes)
        m_editor->setTitle(category, 0, text);
}

void TitleWindow::closeEvent(QCloseEvent* event) {
    if (m_transfer->isRunning() || !m_session->ConfirmSaveBeforeDiscard()) {
        event->ignore();
        return;
    }
    m_session->close();
    event->accept();
}

} // namespace zel::gui
