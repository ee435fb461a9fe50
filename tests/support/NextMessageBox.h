#pragma once
// Answers the next modal message box as a user would and keeps what it showed.
// Header only: the widget tests include it, the support library does not need widgets.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>

namespace zel::test {

// What the box showed while it was open; `shown` stays false when no box came.
struct SeenBox {
    bool shown = false;
    QString name;
    QString title;
    QString text;
    QString informativeText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QWidget* parent = nullptr;
    int width = 0;
    int titleWidth = 0; // of the caption in the box's font
};

namespace detail {
inline void answerWhenShown(const std::shared_ptr<SeenBox>& seen,
                            QMessageBox::StandardButton button, int turnsLeft) {
    QTimer::singleShot(0, [seen, button, turnsLeft] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            if (turnsLeft > 0)
                answerWhenShown(seen, button, turnsLeft - 1);
            return;
        }
        *seen = {true,
                 box->objectName(),
                 box->windowTitle(),
                 box->text(),
                 box->informativeText(),
                 box->icon(),
                 box->parentWidget(),
                 box->width(),
                 box->fontMetrics().horizontalAdvance(box->windowTitle())};
        QAbstractButton* answer = box->button(button);
        answer ? answer->click() : box->accept();
    });
}
} // namespace detail

// Presses `button` of the next modal message box (accepts it when the box has no such
// button), looking for the box over up to 100 turns of the event loop.
inline std::shared_ptr<const SeenBox>
AnswerNextBox(QMessageBox::StandardButton button = QMessageBox::NoButton) {
    auto seen = std::make_shared<SeenBox>();
    detail::answerWhenShown(seen, button, 100);
    return seen;
}

} // namespace zel::test
