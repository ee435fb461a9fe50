#pragma once
// Numbered messages as modal message boxes with the title, text, buttons and icon of the
// message table in the current language.
#include "common/MessageSink.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QMessageBox;

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

    // Boxes open over the window that raised them (the active one), else over this one.
    // Focus goes back to the widget that had it once the box is answered.
    void setParent(QWidget* parent) { m_parent = parent; }

    // Text shown under a message's own text (the device and the reason of message 6, the
    // path of message 15); empty for none.
    void setDetailSource(std::function<QString(int number)> source) {
        m_detailSource = std::move(source);
    }

    // Widens `box` so neither its title (in the caption bar) nor a detail line is cut or
    // broken.
    static void fitToTitle(QMessageBox& box);

private:
    QWidget* raisingWindow() const;

    const LanguageTables& m_language;
    QPointer<QWidget> m_parent;
    std::function<QString(int)> m_detailSource;
};

} // namespace zel::gui
