// Where windows open: fitted to the screen, beside the menu, remembered between runs.
#include "shell/WindowPlacement.h"
#include "TestFiles.h"
#include "shell/BesidePlacement.h"
#include "shell/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using zel::Settings;
using zel::gui::BesidePlacement;
using zel::gui::PlacementScene;
using zel::gui::WindowPlacement;

const QRect kScreen(0, 0, 1024, 768);
const QMargins kFrame(4, 30, 4, 4);

TEST(WindowPlacementTest, FittedWindowLiesFullyOnTheScreenFrameIncluded) {
    const struct {
        const char* what;
        QRect wanted, screen, expected;
    } cases[] = {
        // clang-format off
        {"300 px past the right edge: back whole", {700, 100, 640, 480}, kScreen, {1024 - 4 - 640, 100, 640, 480}},
        {"above the top: the caption bar reachable", {-50, -50, 200, 100}, kScreen, {4, 30, 200, 100}},
        {"larger than the screen: shrunk to it", {10, 10, 2000, 1000}, kScreen, {4, 30, 1016, 734}},
        {"a second screen keeps its own offsets", {0, 0, 300, 200}, {1024, 0, 800, 600}, {1028, 30, 300, 200}},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(WindowPlacement::fitted(c.wanted, c.screen, kFrame), c.expected) << c.what;
}

TEST(WindowPlacementTest, CascadeStepsPastOpenWindowsAndWrapsAtTheEdge) {
    const QRect wanted(400, 100, 300, 200);
    EXPECT_EQ(WindowPlacement::cascaded(wanted, {}, kScreen, kFrame), wanted);
    const QList<QPoint> open{QPoint(400, 100), QPoint(428, 128)};
    EXPECT_EQ(WindowPlacement::cascaded(wanted, open, kScreen, kFrame).topLeft(), QPoint(456, 156));
    // Near the bottom-right every step is clamped to the same corner: start over top-left.
    const QRect corner(1024 - 4 - 300, 768 - 4 - 200, 300, 200);
    const QRect again = WindowPlacement::cascaded(corner, {corner.topLeft()}, kScreen, kFrame);
    EXPECT_EQ(again.topLeft(), QPoint(4, 30));
    EXPECT_TRUE(kScreen.contains(again.marginsAdded(kFrame)));
}

// The menu as it opens in test mode: 329 x 520 with its caption bar, a status line at its foot.
static QRect menuAt(int x, int y) {
    return {x, y, 329, 520};
}
static PlacementScene sceneWithMenu(const QRect& menu, const QList<QPoint>& taken = {}) {
    return {kScreen, menu, {menu.left() + 4, menu.bottom() - 30, menu.width() - 8, 26}, taken};
}

// Outer rectangles on a 1024 x 768 screen. The menu at the right edge (where a window manager
// may put it): the backup screen goes to its left instead of back over its buttons.
TEST(BesidePlacementTest, OpensOnTheFirstSideWithRoomAndNeverOverTheMenu) {
    struct Case {
        const char* what;
        QRect menu;
        QSize window;
        QRect expected;
    };
    // clang-format off
    const Case cases[] = {
        {"backup right of a centred menu", menuAt(347, 124), {208, 400}, QRect(347 + 329 + 12, 124, 208, 400)},
        {"backup left of a menu at the right edge", menuAt(690, 100), {208, 400}, QRect(690 - 12 - 208, 100, 208, 400)},
        {"slid up to stay on the screen", menuAt(0, 400), {300, 500}, QRect(341, 768 - 500, 300, 500)},
        {"below a wide short menu", QRect(0, 0, 1024, 200), {400, 300}, QRect(0, 212, 400, 300)},
        {"above a wide menu at the foot", QRect(0, 468, 1024, 300), {400, 300}, QRect(0, 468 - 12 - 300, 400, 300)},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QRect placed = BesidePlacement::place(c.window, sceneWithMenu(c.menu));
        EXPECT_EQ(placed, c.expected);
        EXPECT_TRUE(kScreen.contains(placed));
        EXPECT_FALSE(placed.intersects(c.menu));
    }
}

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

class WindowMemoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(
            zel::test::writeBytes(m_dir.filePath(u"zel.ini"_qs), "[RS232C]\r\nComPort=1\r\n"));
        ASSERT_TRUE(m_settings.ReadSettings(m_dir.path()));
    }
    QByteArray ini() const { return zel::test::readBytes(m_settings.SettingsFilePath); }
    QRect available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    QTemporaryDir m_dir;
    Settings m_settings;
};

TEST_F(WindowMemoryTest, ClosedWindowIsReopenedWhereItWas) {
    const QRect where(available().topLeft() + QPoint(60, 70), QSize(220, 140));
    {
        QWidget window;
        window.setObjectName(u"frmBackUp"_qs);
        new QVBoxLayout(&window); // children made before placement must not hide the keeper
        WindowPlacement::place(window, m_settings);
        window.show();
        window.setGeometry(where);
        window.close();
    }
    EXPECT_TRUE(ini().startsWith("[RS232C]\r\nComPort=1\r\n")) << ini().toStdString();
    EXPECT_EQ(WindowPlacement::savedGeometry(m_settings, u"frmBackUp"_qs), where);

    QWidget reopened;
    reopened.setObjectName(u"frmBackUp"_qs);
    WindowPlacement::place(reopened, m_settings);
    EXPECT_EQ(reopened.geometry(), where);
}

// A new screen of the menu opens beside it: with the menu against the right edge, to its left.
TEST_F(WindowMemoryTest, NewScreenOpensBesideItsMenuNotOverIt) {
    QWidget menu;
    menu.setObjectName(u"frmMenu"_qs);
    menu.setGeometry(QRect(available().right() - 330, available().top() + 40, 300, 400));
    menu.show();
    auto* screen = new QWidget(&menu, Qt::Window);
    screen->setObjectName(u"frmBackUp"_qs);
    screen->resize(200, 260);
    WindowPlacement::place(*screen, m_settings);
    EXPECT_FALSE(screen->geometry().intersects(menu.frameGeometry()));
    EXPECT_LT(screen->geometry().right(), menu.frameGeometry().left());
    EXPECT_TRUE(available().contains(screen->geometry()));
}

TEST_F(WindowMemoryTest, SavedPlaceOffTheScreenOrMalformedIsIgnored) {
    const QRect screen = available();
    for (const QString& value : {u"%1,10,200,100"_qs.arg(screen.right() + 50), u"10,10,-5,100"_qs,
                                 u"a,b,c,d"_qs, u"10,10,200"_qs}) {
        ASSERT_TRUE(zel::test::writeBytes(m_settings.SettingsFilePath,
                                          "[WINDOWS]\nfrmFind=" + value.toLatin1() + "\n"));
        QWidget window;
        window.setObjectName(u"frmFind"_qs);
        window.resize(200, 100);
        WindowPlacement::place(window, m_settings, u"frmFind"_qs);
        EXPECT_TRUE(screen.contains(window.geometry())) << value.toStdString();
        EXPECT_EQ(window.size(), QSize(200, 100)) << value.toStdString();
    }
}

TEST_F(WindowMemoryTest, NoSettingsFileNoWrite) {
    Settings nowhere;
    nowhere.setFolder(m_dir.filePath(u"absent"_qs));
    EXPECT_FALSE(WindowPlacement::saveGeometry(nowhere, u"frmMenu"_qs, QRect(1, 2, 3, 4)));
    EXPECT_FALSE(QFile::exists(nowhere.SettingsFilePath));
}
