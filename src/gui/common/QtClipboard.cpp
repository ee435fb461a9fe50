#include "QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace zel::gui {

QString QtClipboard::text() const {
    return QGuiApplication::clipboard()->text();
}

void QtClipboard::setText(const QString& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

} // namespace zel::gui
