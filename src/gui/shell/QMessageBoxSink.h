#pragma once
// Numbered messages as modal message boxes with the title, text, buttons and icon of the
// message table in the current language.
#include "common/MessageSink.h"

#include <QPointer>
#include <QWidget>

namespace zel {
class LanguageTables;
struct MessageBoxContent;
} // namespace zel

namespace zel::gui {

// Shows `content` as a modal box named `name` over `parent` (else the active window); returns
// the button pressed as MessageButton.
int ShowMessageBox(QWidget* parent, const MessageBoxContent& content, const QString& name);

class QMessageBoxSink : public MessageSink {
public:
    explicit QMessageBoxSink(const LanguageTables& language, QWidget* parent = nullptr);
    int ShowMessage(int number, const QString& extra = {}) override;

    // Boxes open over this window (else over the active window).
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    const LanguageTables& m_language;
    QPointer<QWidget> m_parent;
};

} // namespace zel::gui
