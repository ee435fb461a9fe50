#include "FilteredKeys.h"

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

} // namespace zel::gui
