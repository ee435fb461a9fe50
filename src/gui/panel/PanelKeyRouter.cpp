#include "PanelKeyRouter.h"

#include "panel/PanelSession.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace zel::gui {

using namespace panel;

PanelKeyRouter::PanelKeyRouter(QWidget& panelWindow, QLineEdit& entryBox, PanelSession& session)
    : QObject(&panelWindow), m_window(panelWindow), m_entry(entryBox), m_session(session) {
    qApp->installEventFilter(this);
}

PanelKeyRouter::~PanelKeyRouter() {
    qApp->removeEventFilter(this);
}

int PanelKeyRouter::keyCode(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Left:
        return KeyLeft;
    case Qt::Key_Up:
        return KeyUp;
    case Qt::Key_Right:
        return KeyRight;
    case Qt::Key_Down:
        return KeyDown;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return KeyTab;
    case Qt::Key_Backspace:
        return KeyBackspace;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    default:
        break;
    }
    // Letters and digits: their upper-case ASCII, as the virtual-key codes are.
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z))
        return qtKey;
    return 0;
}

// A key event meant for the panel: it goes to the focused control of the panel, while the
// panel is the active window. (An event passed on to a parent is seen once only.)
bool PanelKeyRouter::concernsPanel(QObject* watched) const {
    if (!m_window.isActiveWindow())
        return false;
    QWidget* focus = QApplication::focusWidget();
    QWidget* target = focus ? focus : &m_window;
    return watched == target && (target == &m_window || m_window.isAncestorOf(target));
}

bool PanelKeyRouter::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type != QEvent::KeyPress && type != QEvent::KeyRelease) || !concernsPanel(watched))
        return QObject::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
        return true;
    return type == QEvent::KeyPress ? keyPressed(key) : keyReleased(key);
}

bool PanelKeyRouter::keyPressed(QKeyEvent* event) {
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (ctrl && (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)) {
        const bool forward =
            event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
        if (QWidget* focus = QApplication::focusWidget()) {
            QWidget* next = forward ? focus->nextInFocusChain() : focus->previousInFocusChain();
            while (next && next != focus &&
                   (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisibleTo(&m_window) ||
                    !next->isEnabled() || !m_window.isAncestorOf(next)))
                next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
            if (next)
                next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        }
        return true;
    }
    const int key = keyCode(event->key());
    if (QApplication::focusWidget() == &m_entry)
        return entryKey(event, key);
    if (IsArrowKey(key)) {
        m_session.commands().arrowPressedElsewhere(key);
        return true;
    }
    if (key == KeyTab)
        return true; // Tab stays with the panel
    m_session.commands().keyPressed(key);
    return false; // the control acts on it too (Space on a button)
}

// The entry box shows the panel's entry: every key is the panel's key-down, digits and
// Backspace edit the entry through the panel, nothing else reaches the box.
bool PanelKeyRouter::entryKey(QKeyEvent* event, int key) {
    m_session.commands().keyPressed(key);
    const QString text = event->text();
    if (event->key() == Qt::Key_Backspace)
        m_session.commands().entryBackspace();
    else if (text.size() == 1 && text.at(0) >= QLatin1Char('0') && text.at(0) <= QLatin1Char('9'))
        m_session.commands().typeIntoEntry(text);
    return true;
}

bool PanelKeyRouter::keyReleased(QKeyEvent* event) {
    m_session.commands().keyReleased(keyCode(event->key()));
    return QApplication::focusWidget() == &m_entry;
}

} // namespace zel::gui
