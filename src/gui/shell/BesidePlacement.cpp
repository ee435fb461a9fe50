#include "BesidePlacement.h"

#include <algorithm>
#include <array>
#include <limits>

namespace zel::gui {

namespace {

constexpr int kMaxCascadeSteps = 12;

struct Side {
    QRect spot;  // straight beside the anchor
    QPoint step; // away from the anchor, for the next window on the same side
};

// `rect` slid along one axis to lie on the screen in that direction.
int slid(int start, int length, int low, int high) {
    return std::clamp(start, low, std::max(low, high + 1 - length));
}

std::array<Side, 4> sidesOf(QSize size, const PlacementScene& scene) {
    const QRect& a = scene.anchor;
    const QRect& s = scene.available;
    const int w = size.width();
    const int h = size.height();
    const int gap = BesidePlacement::kGap;
    const int step = BesidePlacement::kCascadeStep;
    const int y = slid(a.top(), h, s.top(), s.bottom());
    const int x = slid(a.left(), w, s.left(), s.right());
    return {{{QRect(a.right() + 1 + gap, y, w, h), QPoint(step, step)},
             {QRect(a.left() - gap - w, y, w, h), QPoint(-step, step)},
             {QRect(x, a.bottom() + 1 + gap, w, h), QPoint(step, step)},
             {QRect(x, a.top() - gap - h, w, h), QPoint(step, -step)}}};
}

bool isTaken(const QList<QPoint>& taken, const QPoint& corner) {
    return std::any_of(taken.begin(), taken.end(), [&corner](const QPoint& other) {
        return (other - corner).manhattanLength() < BesidePlacement::kCascadeStep / 2;
    });
}

qint64 area(const QRect& rect) {
    return rect.isValid() ? qint64(rect.width()) * rect.height() : 0;
}

} // namespace

QRect BesidePlacement::place(QSize size, const PlacementScene& scene) {
    const QSize fitting = size.boundedTo(scene.available.size());
    const QRect beside = besideAnchor(fitting, scene);
    return beside.isNull() ? leastCovering(fitting, scene) : beside;
}

QRect BesidePlacement::besideAnchor(QSize size, const PlacementScene& scene) {
    const auto fits = [&scene](const QRect& spot) {
        return scene.available.contains(spot) && !spot.intersects(scene.anchor);
    };
    QRect firstFitting;
    for (const Side& side : sidesOf(size, scene)) {
        if (!fits(side.spot))
            continue;
        if (firstFitting.isNull())
            firstFitting = side.spot;
        for (int i = 0; i < kMaxCascadeSteps; ++i) {
            const QRect spot = side.spot.translated(side.step * i);
            if (!fits(spot))
                break;
            if (!isTaken(scene.taken, spot.topLeft()))
                return spot;
        }
    }
    return firstFitting; // every side crowded: straight beside, over the other windows
}

QRect BesidePlacement::leastCovering(QSize size, const PlacementScene& scene) {
    const QRect& a = scene.anchor;
    const QRect& s = scene.available;
    const int w = size.width();
    const int h = size.height();
    const QRect& keep = scene.keepVisible;
    const std::array<int, 5> xs{s.left(), s.right() + 1 - w, a.right() + 1 + kGap,
                                a.left() - kGap - w, a.left()};
    std::array<int, 7> ys{
        s.top(), s.bottom() + 1 - h, a.top(), a.bottom() + 1 + kGap, a.top() - kGap - h, s.top(),
        s.top()};
    if (!keep.isNull()) {
        ys[5] = keep.top() - h;
        ys[6] = keep.bottom() + 1;
    }
    QRect best;
    std::pair<bool, qint64> bestCost{true, std::numeric_limits<qint64>::max()};
    for (int x : xs)
        for (int y : ys) {
            const QRect spot(slid(x, w, s.left(), s.right()), slid(y, h, s.top(), s.bottom()), w,
                             h);
            const std::pair<bool, qint64> cost{!keep.isNull() && spot.intersects(keep),
                                               area(spot.intersected(a))};
            if (cost < bestCost) {
                bestCost = cost;
                best = spot;
            }
        }
    return best;
}

} // namespace zel::gui
