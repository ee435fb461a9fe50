#pragma once
// What the window tests do as the user would: bring a window up and type into a box.
// Header only: the widget tests include it, the support library does not need widgets.
#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>
#include <initializer_list>

namespace zel::test {

// Shows `window` and makes it the active one; false when it never became active.
inline bool ShowActive(QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Replaces the text of `box` by typing and leaves it with Tab.
inline void TypeAndLeave(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Tab);
    QCoreApplication::processEvents(); // the refocus after a range message
}

// The boolean `property` ("enabled", "visible", "checked") of each widget or action, in order.
inline QList<bool> Flags(std::initializer_list<const QObject*> objects,
                         const char* property = "enabled") {
    QList<bool> flags;
    for (const QObject* object : objects)
        flags.append(object->property(property).toBool());
    return flags;
}

} // namespace zel::test
