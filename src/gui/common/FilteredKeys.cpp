#include "FilteredKeys.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace zel::gui {

bool insertFilteredKey(QLineEdit* box, const QKeyEvent* event,
                       const std::function<int(int key)>& rule) {
    const QString text = event->text();
    if (text.size() != 1 || !text.at(0).isPrint() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const int typed = text.at(0).unicode();
    const int kept = rule(typed);
    if (kept == typed)
        return false;
    if (kept != 0)
        box->insert(QString(QChar(char16_t(kept))));
    return true;
}

bool commitFilteredText(QLineEdit* box, const QInputMethodEvent* event,
                        const std::function<int(int key)>& rule) {
    const QString committed = event->commitString();
    QString kept;
    for (const QChar ch : committed) {
        const int key = rule(ch.unicode());
        if (key != 0)
            kept.append(QChar(char16_t(key)));
    }
    if (kept == committed)
        return false;
    QInputMethodEvent filtered(event->preeditString(), event->attributes());
    filtered.setCommitString(kept, event->replacementStart(), event->replacementLength());
    QCoreApplication::sendEvent(box, &filtered);
    return true;
}

} // namespace zel::gui
