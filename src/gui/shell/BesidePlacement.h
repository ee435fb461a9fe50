#pragma once
// Where a new window opens next to the window it belongs to, as a rule over rectangles (all
// of them outer rectangles: caption bar and borders included).
//
// The window goes right of, left of, below or above its anchor (in that order), at the first
// of those sides where it lies fully on the screen without touching the anchor; on a side
// where another window already stands it steps away from the anchor, one caption bar at a
// time. When no side has room it goes where it covers the least of the anchor, leaving the
// anchor's `keepVisible` part (the menu's status line) uncovered whenever its height allows.
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace zel::gui {

struct PlacementScene {
    QRect available;     // the screen's work area
    QRect anchor;        // the window it belongs to
    QRect keepVisible;   // part of the anchor not to cover when possible; may be null
    QList<QPoint> taken; // top-left corners of the other windows on show
};

class BesidePlacement {
public:
    static constexpr int kGap = 12;         // between a window and its anchor
    static constexpr int kCascadeStep = 28; // about one caption bar

    // The outer rectangle for a window of outer size `size` (shrunk to the screen if larger).
    static QRect place(QSize size, const PlacementScene& scene);

    // The first free spot beside the anchor, or a null rect when no side has room.
    static QRect besideAnchor(QSize size, const PlacementScene& scene);
    // The spot on the screen that covers the least of the anchor.
    static QRect leastCovering(QSize size, const PlacementScene& scene);
};

} // namespace zel::gui
