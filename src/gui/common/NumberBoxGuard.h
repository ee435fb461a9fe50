#pragma once
// The one behaviour of a window's number boxes: keys through the box's key filter, the box's
// check when it is left for another control of its window, and after a refusal the focus back
// in the box with its text selected; while that focus move runs no other leave is checked.
// The up/down buttons (and, where a window wants them, the Up and Down keys) step a box
// within its range.
#include "common/KeyFilter.h"
#include "common/NumberRange.h"

#include <QObject>
#include <functional>
#include <optional>
#include <vector>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace zel::gui {

class NumberBoxGuard : public QObject {
    Q_OBJECT
public:
    // Shows its own message and returns false when the box's text breaks its rule; true also
    // when the rule is checked elsewhere and a refusal comes back through refuse().
    using Check = std::function<bool()>;

    // A child of `window`; delete it first in the window's destructor, before the members its
    // checks use are gone.
    explicit NumberBoxGuard(QWidget* window);
    ~NumberBoxGuard() override;

    // `keys`: Decimal, or DecimalWithPoint (one point at most).
    void watch(QLineEdit* box, Check check, KeyFilterMode keys = KeyFilterMode::Decimal);
    // `stepped` runs after each step with the new text.
    void setSteps(QLineEdit* box, NumberRange range, std::function<void(const QString&)> stepped,
                  bool arrowKeys = false);
    void step(QLineEdit* box, int by);

    // The box's check now (before a send). A disabled box is not in use and passes.
    bool check(QLineEdit* box);
    // A refusal decided elsewhere: the focus goes back to the box, its text selected.
    void refuse(QLineEdit* box);
    // A refusal's focus move is still running.
    bool isChecking() const { return m_checking; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Box {
        QLineEdit* box = nullptr; // dropped from the list when the box goes first
        Check check;
        KeyFilterMode keys = KeyFilterMode::Decimal;
        std::optional<NumberRange> steps;
        std::function<void(const QString&)> stepped;
        bool arrowKeys = false;
    };

    Box* find(QObject* box);
    bool keyRefused(Box& box, const QKeyEvent* event);
    void onLeft(Box& box, Qt::FocusReason reason);

    QWidget* m_window;
    std::vector<Box> m_boxes;
    bool m_checking = false;
};

} // namespace zel::gui
