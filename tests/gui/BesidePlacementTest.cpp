// Where screens open next to the menu on a 1024 x 768 screen (outer rectangles throughout).
#include "shell/BesidePlacement.h"

#include <gtest/gtest.h>

using zel::gui::BesidePlacement;
using zel::gui::PlacementScene;

namespace {

const QRect kScreen(0, 0, 1024, 768);
// The menu as it opens in test mode: 329 x 520 with its caption bar, a status line at its foot.
QRect menuAt(int x, int y) {
    return {x, y, 329, 520};
}
QRect statusLineOf(const QRect& menu) {
    return {menu.left() + 4, menu.bottom() - 30, menu.width() - 8, 26};
}
PlacementScene sceneWithMenu(const QRect& menu, const QList<QPoint>& taken = {}) {
    return {kScreen, menu, statusLineOf(menu), taken};
}

struct BesideCase {
    const char* what;
    QRect menu;
    QSize window;
    QRect expected;
};

class BesideTest : public ::testing::TestWithParam<BesideCase> {};

TEST_P(BesideTest, OpensOnTheFirstSideWithRoomAndNeverOverTheMenu) {
    const BesideCase& c = GetParam();
    const QRect placed = BesidePlacement::place(c.window, sceneWithMenu(c.menu));
    EXPECT_EQ(placed, c.expected) << c.what;
    EXPECT_TRUE(kScreen.contains(placed)) << c.what;
    EXPECT_FALSE(placed.intersects(c.menu)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Sides, BesideTest,
    ::testing::Values(BesideCase{"backup right of a centred menu",
                                 menuAt(347, 124),
                                 {208, 400},
                                 QRect(347 + 329 + 12, 124, 208, 400)},
                      // The menu at the right edge (where a window manager may put it): the backup
                      // screen goes to its left instead of back over its buttons.
                      BesideCase{"backup left of a menu at the right edge",
                                 menuAt(690, 100),
                                 {208, 400},
                                 QRect(690 - 12 - 208, 100, 208, 400)},
                      BesideCase{"slid up to stay on the screen",
                                 menuAt(0, 400),
                                 {300, 500},
                                 QRect(341, 768 - 500, 300, 500)},
                      BesideCase{"below a wide short menu",
                                 QRect(0, 0, 1024, 200),
                                 {400, 300},
                                 QRect(0, 212, 400, 300)},
                      BesideCase{"above a wide menu at the foot",
                                 QRect(0, 468, 1024, 300),
                                 {400, 300},
                                 QRect(0, 468 - 12 - 300, 400, 300)}),
    [](const auto& info) { return std::to_string(info.index); });

TEST(BesidePlacementTest, SecondWindowOnTheSameSideStepsAwayFromTheMenu) {
    const QRect menu = menuAt(690, 100);
    const QRect first = BesidePlacement::place({208, 400}, sceneWithMenu(menu));
    const QRect second = BesidePlacement::place({208, 400}, sceneWithMenu(menu, {first.topLeft()}));
    EXPECT_EQ(second.topLeft(), first.topLeft() + QPoint(-28, 28));
    EXPECT_FALSE(second.intersects(menu));
}

TEST(BesidePlacementTest, LogWindowTooLargeForAnySideLeavesTheStatusLineVisible) {
    // The log window (648 x 514 framed) beside a centred menu: no side has room.
    const QRect menu = menuAt((1024 - 329) / 2, (768 - 520) / 2);
    const PlacementScene scene = sceneWithMenu(menu);
    const QSize log(648, 514);
    ASSERT_TRUE(BesidePlacement::besideAnchor(log, scene).isNull());
    const QRect placed = BesidePlacement::place(log, scene);
    EXPECT_TRUE(kScreen.contains(placed));
    EXPECT_FALSE(placed.intersects(scene.keepVisible));
    // It covers no more of the menu than the best of the screen's corners would.
    const auto covered = [&menu](const QRect& r) {
        const QRect part = r.intersected(menu);
        return part.isValid() ? part.width() * part.height() : 0;
    };
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(1024 - 648, 0), QPoint(0, 768 - 514), QPoint(1024 - 648, 768 - 514)})
        EXPECT_LE(covered(placed), covered(QRect(corner, log))) << corner.x() << "," << corner.y();
}

TEST(BesidePlacementTest, WindowTallerThanTheRoomAboveTheStatusLineCoversTheLeast) {
    // 740 high: whatever the place, the status line at 600..626 is covered; the least of
    // the menu goes under it.
    const QRect menu = menuAt(0, 106);
    const QRect placed = BesidePlacement::place({800, 740}, sceneWithMenu(menu));
    EXPECT_TRUE(kScreen.contains(placed));
    EXPECT_EQ(placed.right(), 1023); // pushed as far from the menu as the screen allows
}

TEST(BesidePlacementTest, WindowLargerThanTheScreenIsShrunkToIt) {
    const QRect placed = BesidePlacement::place({1600, 900}, sceneWithMenu(menuAt(0, 0)));
    EXPECT_EQ(placed, kScreen);
}

} // namespace
