// The title window's keys: the menu shortcuts from any box, the CAMERA No. box, and the typed
// titles of the CAMERA ID and AUTO PAN ID boxes. The number boxes' own keys, steps and range
// check are the shared number-box behaviour.
#include "TitleWindow.h"
#include "common/FilteredKeys.h"
#include "common/NumberBoxGuard.h"
#include "common/NumberRange.h"
#include "shell/Application.h"
#include "titles/TitleEditor.h"
#include "titles/TitleSession.h"
#include "titletable/TitleCategory.h"
#include "titletable/TitleCharTable.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

namespace zel::gui {

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
    if (box == m_textBoxes[0] || box == m_textBoxes[1])
        return titleBoxEvent(box, event) || QMainWindow::eventFilter(watched, event);
    return QMainWindow::eventFilter(watched, event);
}

void TitleWindow::connectNumberBoxes() {
    m_numberBoxes = new NumberBoxGuard(this);
    m_numberBoxes->watch(m_textHostNo, [this] {
        return m_session->numberBoxLeft(TitleSession::NumberField::Remote, m_textHostNo->text());
    });
    m_numberBoxes->watch(m_textCamNo, [this] {
        return m_session->numberBoxLeft(TitleSession::NumberField::Camera, m_textCamNo->text());
    });
    m_numberBoxes->setSteps(m_textHostNo, kRemoteNoRange,
                            [this](const QString& text) { m_session->remoteNoEdited(text); });
    connect(m_upHostNo, &QToolButton::clicked, this,
            [this] { m_numberBoxes->step(m_textHostNo, 1); });
    connect(m_downHostNo, &QToolButton::clicked, this,
            [this] { m_numberBoxes->step(m_textHostNo, -1); });
}

bool TitleWindow::isWindowShortcut(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    for (QMenu* menu : m_menus)
        for (const QAction* candidate : menu->actions())
            if (!candidate->shortcut().isEmpty() && candidate->shortcut() == pressed)
                return true;
    return false;
}

void TitleWindow::onCameraEdited(const QString& text) {
    m_session->cameraNoEdited(text);
    refreshCaption();
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
        m_session->editor().snapshotTitle(category, 0);
        return commitFilteredText(box, input, rule);
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    const bool typed = !text.isEmpty() && !(key->modifiers() & Qt::ControlModifier);
    if (!typed && key->key() != Qt::Key_Delete)
        return false;
    m_session->editor().snapshotTitle(category, 0); // the text as it was before this key
    return insertFilteredKey(box, key, rule);
}

void TitleWindow::onTitleBoxChanged(int category, const QString& text) {
    if (!m_loadingBoxes)
        m_session->editor().setTitle(category, 0, text);
}

} // namespace zel::gui
