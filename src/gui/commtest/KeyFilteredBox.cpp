#include "KeyFilteredBox.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace zel::gui {

bool FilterBoxKey(QLineEdit& box, const QKeyEvent& event, KeyFilterMode mode) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const QString text = event.text();
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    const int kept = text.size() == 1 ? FilterKeyAscii(text.at(0).unicode(), mode) : 0;
    if (kept == 0)
        return true; // refused
    if (kept == text.at(0).unicode())
        return false; // goes in as typed
    box.insert(QString(QChar(kept)));
    return true;
}

} // namespace zel::gui
