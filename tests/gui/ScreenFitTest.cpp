// Screens as high as their controls: no empty band below the last of them.
#include "EventLoopWait.h"
#include "MemoryLink.h"
#include "commtest/CommTestWindow.h"
#include "panel/PanelWindow.h"
#include "shell/LanguageTables.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::test;

namespace {

// The window's height below the lowest control on show.
int bandBelowControls(QWidget& window) {
    int lowest = 0;
    for (QWidget* control : window.findChildren<QWidget*>())
        if ((qobject_cast<QAbstractButton*>(control) || qobject_cast<QLineEdit*>(control)) &&
            control->isVisibleTo(&window))
            lowest = std::max(lowest, control->mapTo(&window, QPoint(0, control->height())).y());
    return window.height() - lowest;
}

class ScreenFitTest : public ::testing::TestWithParam<int>, protected MemoryLink {
protected:
    ScreenFitTest() {
        openTestPort();
        language.setLanguageIndex(GetParam());
    }
    void showAndSettle(QWidget& window) {
        window.show();
        runEventsFor(20);
    }
    LanguageTables language;
};

constexpr int kMostBand = 40; // margins of the layout and the last group box

TEST_P(ScreenFitTest, PanelEndsBelowItsLastControls) {
    settings.SoftMode = u"1"_qs; // the larger one
    QPointer<gui::PanelWindow> panel = new gui::PanelWindow(engine, language, settings, sink);
    showAndSettle(*panel);
    EXPECT_LE(bandBelowControls(*panel), kMostBand);
    EXPECT_GE(bandBelowControls(*panel), 0);
    delete panel.data();
}

TEST_P(ScreenFitTest, CommunicationTestEndsBelowItsLastRow) {
    gui::CommTestWindow test(engine, language, sink);
    showAndSettle(test);
    EXPECT_LE(bandBelowControls(test), kMostBand);
}

INSTANTIATE_TEST_SUITE_P(BothLanguages, ScreenFitTest, ::testing::Values(0, 1));

} // namespace
