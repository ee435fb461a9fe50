#pragma once
// Where windows open. One line per window, before it is first shown:
//
//     WindowPlacement::place(*window, settings);
//
// and the window
//   - opens where it was last closed, at its last size (kept in zel.ini as [WINDOWS]
//     NAME=x,y,width,height, NAME being its objectName), unless that would put any part of
//     it off the screens there are now;
//   - else opens beside the window it belongs to (its parent's window, else the active one),
//     never over it when there is room on the screen (BesidePlacement has the rule); a child
//     widget of that window with the property kKeepVisibleProperty set is left uncovered
//     when the window cannot help covering part of it;
//   - always lies fully on the screen it opens on, shrunk to that screen when too large.
// Its position and size are written back when it is hidden or closed. Windows that share a
// class but not a place (one per title slot) pass a key of their own:
//
//     WindowPlacement::place(*window, settings, QStringLiteral("frmTitleSet%1").arg(slot));
//
// The main menu calls place() for every screen it opens; a screen calls it only for the
// windows it opens itself (dialogs of its own).
#include <QList>
#include <QMargins>
#include <QRect>
#include <QString>

class QWidget;

namespace zel {
class Settings;
}

namespace zel::gui {

class WindowPlacement {
public:
    static constexpr int kCascadeStep = 28; // about one caption bar
    static constexpr const char* kKeepVisibleProperty = "zelKeepVisible";

    // Places `window` as described above and remembers its geometry under `key` (its
    // objectName when empty) from then on.
    static void place(QWidget& window, const Settings& settings, const QString& key = {});

    // The pieces, for tests and for windows placed by hand.
    // `wanted` moved (and shrunk if need be) to lie fully inside `available`, keeping
    // `frame` (caption bar and borders) on screen too.
    static QRect fitted(const QRect& wanted, const QRect& available, const QMargins& frame);
    // `wanted` fitted, then stepped down and right until its corner is clear of `taken`
    // (top-left corners of the windows open there); from the top-left of `available` again
    // when the steps run off the screen.
    static QRect cascaded(const QRect& wanted, const QList<QPoint>& taken, const QRect& available,
                          const QMargins& frame);
    // Reads "x,y,width,height" from zel.ini; an invalid rect when absent or malformed.
    static QRect savedGeometry(const Settings& settings, const QString& key);
    static bool saveGeometry(const Settings& settings, const QString& key, const QRect& geometry);
};

} // namespace zel::gui
