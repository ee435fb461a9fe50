#include "NumberBoxGuard.h"

#include "NumberBoxes.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace zel::gui {

NumberBoxGuard::NumberBoxGuard(QWidget* window) : QObject(window), m_window(window) {}

NumberBoxGuard::~NumberBoxGuard() {
    for (const Box& watched : m_boxes)
        watched.box->removeEventFilter(this);
}

void NumberBoxGuard::watch(QLineEdit* box, Check check, KeyFilterMode keys) {
    if (Box* known = find(box)) {
        known->check = std::move(check);
        known->keys = keys;
        return;
    }
    m_boxes.push_back({box, std::move(check), keys, std::nullopt, {}, false});
    box->installEventFilter(this);
    connect(box, &QObject::destroyed, this, [this, box] {
        std::erase_if(m_boxes, [box](const Box& watched) { return watched.box == box; });
    });
}

void NumberBoxGuard::setSteps(QLineEdit* box, NumberRange range,
                              std::function<void(const QString&)> stepped, bool arrowKeys) {
    if (!find(box))
        watch(box, [] { return true; });
    Box* known = find(box);
    known->steps = range;
    known->stepped = std::move(stepped);
    known->arrowKeys = arrowKeys;
}

void NumberBoxGuard::step(QLineEdit* box, int by) {
    Box* known = find(box);
    if (!known || !known->steps)
        return;
    box->setText(QString::number(known->steps->stepped(box->text(), by)));
    if (known->stepped)
        known->stepped(box->text());
}

bool NumberBoxGuard::check(QLineEdit* box) {
    Box* known = find(box);
    if (!known || !box->isEnabled() || !known->check)
        return true;
    m_checking = true; // the message box moves the focus
    if (known->check()) {
        m_checking = false;
        return true;
    }
    refuse(box);
    return false;
}

void NumberBoxGuard::refuse(QLineEdit* box) {
    m_checking = true; // the refocus moves the focus again
    refocusNumberBox(box, [this] { m_checking = false; });
}

bool NumberBoxGuard::eventFilter(QObject* watched, QEvent* event) {
    // A box being destroyed is no line edit any more: its last events are not looked at.
    Box* known = qobject_cast<QLineEdit*>(watched) ? find(watched) : nullptr;
    if (!known)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return keyRefused(*known, static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::FocusOut)
        onLeft(*known, static_cast<QFocusEvent*>(event)->reason());
    return false;
}

bool NumberBoxGuard::keyRefused(Box& box, const QKeyEvent* event) {
    const bool up = event->key() == Qt::Key_Up;
    if (box.arrowKeys && box.steps && (up || event->key() == Qt::Key_Down)) {
        step(box.box, up ? 1 : -1);
        return true;
    }
    const bool point =
        box.keys == KeyFilterMode::DecimalWithPoint && !box.box->text().contains(QLatin1Char('.'));
    return !decimalKeyAllowed(event,
                              point ? KeyFilterMode::DecimalWithPoint : KeyFilterMode::Decimal);
}

void NumberBoxGuard::onLeft(Box& box, Qt::FocusReason reason) {
    // Switching to another window or a popup is not leaving the box.
    if (m_checking || !m_window->isVisible() || reason == Qt::ActiveWindowFocusReason ||
        reason == Qt::PopupFocusReason)
        return;
    check(box.box);
}

NumberBoxGuard::Box* NumberBoxGuard::find(QObject* box) {
    for (Box& watched : m_boxes)
        if (watched.box == box)
            return &watched;
    return nullptr;
}

} // namespace zel::gui
