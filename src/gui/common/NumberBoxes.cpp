#include "NumberBoxes.h"

#include "common/KeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QStyle>
#include <QTimer>

namespace zel::gui {

QLineEdit* makeNumberBox(const QString& name, int maxDigits, QWidget* parent) {
    auto* box = new QLineEdit(QStringLiteral("1"), parent);
    box->setObjectName(name);
    box->setMaxLength(maxDigits);
    box->setAttribute(Qt::WA_InputMethodEnabled, false);
    box->setContextMenuPolicy(Qt::NoContextMenu);
    box->setAcceptDrops(false);
    const int digitWidth = box->fontMetrics().horizontalAdvance(QString(maxDigits + 2, u'0'));
    box->setMaximumWidth(digitWidth + 2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) +
                         8);
    return box;
}

bool decimalKeyAllowed(const QKeyEvent* event, KeyFilterMode mode) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return true;
    const QString text = event->text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return true;
    return text.size() == 1 && FilterKeyAscii(text.at(0).unicode(), mode) != 0;
}

void refocusNumberBox(QLineEdit* box, std::function<void()> done) {
    QTimer::singleShot(0, box, [box, done = std::move(done)] {
        box->setFocus(Qt::OtherFocusReason);
        box->selectAll();
        if (done)
            done();
    });
}

} // namespace zel::gui
