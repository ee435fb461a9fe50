#pragma once
// Brings the keyboard to the operation panel while it is the active window, whatever
// control has the focus (an application event filter): a key pressed in the entry box is a
// key-down of the panel; an arrow pressed on another control is caught and handed to the
// panel, which sends it a little later and takes the focus back; Tab stays with the panel;
// auto-repeat is ignored. Ctrl+Tab and Ctrl+Shift+Tab move the focus through the controls.
#include <QObject>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace zel {
class PanelSession;
}

namespace zel::gui {

class PanelKeyRouter : public QObject {
    Q_OBJECT
public:
    PanelKeyRouter(QWidget& panelWindow, QLineEdit& entryBox, PanelSession& session);
    ~PanelKeyRouter() override;

    // The panel's key code (virtual-key code) of a Qt key; 0 for keys the panel has no code for.
    static int keyCode(int qtKey);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool concernsPanel(QObject* watched) const;
    bool keyPressed(QKeyEvent* event);
    bool keyReleased(QKeyEvent* event);
    bool entryKey(QKeyEvent* event, int key);

    QWidget& m_window;
    QLineEdit& m_entry;
    PanelSession& m_session;
};

} // namespace zel::gui
