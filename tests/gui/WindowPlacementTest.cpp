#include "shell/WindowPlacement.h"
#include "TestFiles.h"
#include "shell/Settings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

using zel::Settings;
using zel::gui::WindowPlacement;

namespace {

const QRect kScreen(0, 0, 1024, 768);
const QMargins kFrame(4, 30, 4, 4);

TEST(WindowPlacementTest, FittedWindowLiesFullyOnTheScreenFrameIncluded) {
    // The log window that started 300 px past the right edge comes back whole.
    const QRect pastRight = WindowPlacement::fitted(QRect(700, 100, 640, 480), kScreen, kFrame);
    EXPECT_EQ(pastRight, QRect(1024 - 4 - 640, 100, 640, 480));
    // Above the top: the caption bar stays reachable.
    EXPECT_EQ(WindowPlacement::fitted(QRect(-50, -50, 200, 100), kScreen, kFrame).topLeft(),
              QPoint(4, 30));
    // Larger than the screen: shrunk to it.
    EXPECT_EQ(WindowPlacement::fitted(QRect(10, 10, 2000, 1000), kScreen, kFrame),
              QRect(4, 30, 1016, 734));
    // A second screen to the right keeps its own offsets.
    const QRect right(1024, 0, 800, 600);
    EXPECT_EQ(WindowPlacement::fitted(QRect(0, 0, 300, 200), right, kFrame).topLeft(),
              QPoint(1028, 30));
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

} // namespace
