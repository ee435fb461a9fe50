#include "shell/MenuState.h"
#include "RecordingSink.h"

#include <gtest/gtest.h>

using zel::MenuState;
using Action = MenuState::ClickAction;

class MenuStateTest : public ::testing::Test {
protected:
    zel::test::RecordingSink m_sink;
    MenuState m_menu{m_sink};
};

TEST_F(MenuStateTest, ScreenButtonDisablesAtOnceAndClosingEnablesIt) {
    EXPECT_FALSE(m_menu.IsScreenInUse());
    EXPECT_EQ(m_menu.click(MenuState::ButtonBackup), Action::OpenScreen);
    EXPECT_FALSE(m_menu.isEnabled(MenuState::ButtonBackup));
    EXPECT_TRUE(m_menu.IsScreenInUse());
    EXPECT_EQ(m_menu.click(MenuState::ButtonBackup), Action::None); // open at most once
    m_menu.screenClosed(MenuState::ButtonBackup);
    EXPECT_TRUE(m_menu.isEnabled(MenuState::ButtonBackup));
    EXPECT_FALSE(m_menu.IsScreenInUse());
}

TEST_F(MenuStateTest, EightTitleWindowsAtMostAndTheLowestFreeSlotIsReused) {
    for (int i = 1; i <= 8; ++i) {
        EXPECT_TRUE(m_menu.isEnabled(MenuState::ButtonTitle)) << i;
        EXPECT_EQ(m_menu.click(MenuState::ButtonTitle), Action::OpenTitle);
        EXPECT_EQ(m_menu.CurrentTitleSlot, i);
    }
    EXPECT_FALSE(m_menu.isEnabled(MenuState::ButtonTitle)); // the eighth click disabled it
    EXPECT_EQ(m_menu.click(MenuState::ButtonTitle), Action::None);
    EXPECT_EQ(m_menu.CurrentTitleSlot, 8);

    m_menu.titleWindowClosed(5);
    m_menu.titleWindowClosed(3);
    EXPECT_TRUE(m_menu.isEnabled(MenuState::ButtonTitle));
    EXPECT_EQ(m_menu.click(MenuState::ButtonTitle), Action::OpenTitle);
    EXPECT_EQ(m_menu.CurrentTitleSlot, 3);
    EXPECT_TRUE(m_menu.isEnabled(MenuState::ButtonTitle)); // slot 5 is still free
    EXPECT_EQ(std::tuple(m_menu.TitleSlotInUse[3], m_menu.TitleSlotInUse[5], m_sink.shown.size()),
              std::tuple(MenuState::kSlotTaken, 0, 0));
}

TEST_F(MenuStateTest, CpuWriterOnlyWhenNothingElseIsOpen) {
    m_menu.click(MenuState::ButtonPanel);
    EXPECT_EQ(m_menu.click(MenuState::ButtonCpuWriter), Action::Refused);
    EXPECT_EQ(m_sink.numbers(), QList<int>{36});
    EXPECT_TRUE(m_menu.isEnabled(MenuState::ButtonCpuWriter));

    m_menu.screenClosed(MenuState::ButtonPanel);
    EXPECT_EQ(m_menu.click(MenuState::ButtonCpuWriter), Action::OpenCpuWriter);
    EXPECT_FALSE(m_menu.isEnabled(MenuState::ButtonCpuWriter));

    // A title window alone also blocks it.
    m_menu.screenClosed(MenuState::ButtonCpuWriter);
    m_menu.click(MenuState::ButtonTitle);
    EXPECT_EQ(m_menu.click(MenuState::ButtonCpuWriter), Action::Refused);
    EXPECT_EQ(m_sink.numbers(), (QList<int>{36, 36}));
}

TEST_F(MenuStateTest, CloseRefusedWhileAScreenIsOpen) {
    m_menu.click(MenuState::ButtonBackup);
    EXPECT_EQ(m_menu.click(MenuState::ButtonExit), Action::Exit);
    EXPECT_EQ(m_menu.requestClose(), MenuState::CloseDecision::Cancel);
    EXPECT_EQ(m_sink.numbers(), QList<int>{8});
    EXPECT_TRUE(m_menu.isEnabled(MenuState::ButtonExit));
    EXPECT_FALSE(m_menu.isEnabled(MenuState::ButtonBackup)); // everything stays open

    EXPECT_EQ(m_menu.requestClose(true), MenuState::CloseDecision::ForceEnd);
    m_menu.screenClosed(MenuState::ButtonBackup);
    EXPECT_EQ(m_menu.requestClose(), MenuState::CloseDecision::Close);
    EXPECT_EQ(m_sink.numbers(), (QList<int>{8, 8}));
}

// Forcing the end from the CPU writer window would cut a flash write in half: while a write
// runs the program refuses to end, whichever window is active.
TEST_F(MenuStateTest, NoEndWhileAFlashWriteRuns) {
    bool writing = true;
    m_menu.click(MenuState::ButtonCpuWriter);
    m_menu.setEndBlocker([&writing] { return writing; });
    EXPECT_EQ(m_menu.requestClose(true), MenuState::CloseDecision::Cancel);
    EXPECT_EQ(m_menu.requestClose(false), MenuState::CloseDecision::Cancel);
    EXPECT_EQ(m_sink.numbers(), (QList<int>{26, 26}));
    EXPECT_TRUE(m_menu.isEnabled(MenuState::ButtonExit));
    writing = false;
    EXPECT_EQ(m_menu.requestClose(true), MenuState::CloseDecision::ForceEnd);
}

TEST_F(MenuStateTest, ExitButtonAloneDoesNotCountAsAScreen) {
    m_menu.click(MenuState::ButtonExit);
    EXPECT_FALSE(m_menu.IsScreenInUse());
    m_menu.setEnabled(42, false); // out of range: ignored
    EXPECT_FALSE(m_menu.isEnabled(42));
    EXPECT_EQ(m_menu.click(-1), Action::None);
}
