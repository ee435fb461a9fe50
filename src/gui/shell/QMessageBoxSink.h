#pragma once
// Numbered messages as modal message boxes with the title, text, buttons and icon of the
// message table in the current language.
#include "common/MessageSink.h"

#include <QPointer>
#include <QWidget>

namespace zel {
class LanguageTables;
}

namespace zel::gui {

class QMessageBoxSink : public MessageSink {
public:
    explicit QMessageBoxSink(const LanguageTables& language, QWidget* parent = nullptr);
    int ShowMessage(int number, const QString& extra = {}) override;

    // A message text as a box shows it: CR LF and a lone CR (the check result joins its two
    // counts with two CRs) both break the line.
    static QString displayText(const QString& text);

    // Boxes open over this window (else over the active window).
    void setParent(QWidget* parent) { m_parent = parent; }

private:
    const LanguageTables& m_language;
    QPointer<QWidget> m_parent;
};

} // namespace zel::gui
