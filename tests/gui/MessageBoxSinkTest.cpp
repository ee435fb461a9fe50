#include "NextMessageBox.h"
#include "common/MessageNumber.h"
#include "common/MessageSink.h"
#include "shell/LanguageTables.h"
#include "shell/QMessageBoxSink.h"

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace zel;
using zel::test::SeenBox;

namespace {

class MessageBoxSinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&m_raiser);
        m_first = new QLineEdit(&m_raiser);
        m_second = new QLineEdit(&m_raiser);
        layout->addWidget(m_first);
        layout->addWidget(m_second);
        m_raiser.show();
        m_other.show();
        m_raiser.activateWindow();
        QApplication::setActiveWindow(&m_raiser);
        m_second->setFocus();
    }
    // Shows `number` and returns what the box looked like; it is answered at once.
    SeenBox show(gui::QMessageBoxSink& sink, int number, int& result) {
        const auto seen = test::AnswerNextBox();
        result = sink.ShowMessage(number);
        EXPECT_TRUE(seen->shown) << number;
        return *seen;
    }

    LanguageTables m_language;
    QWidget m_raiser;
    QWidget m_other; // the menu, say
    QLineEdit* m_first = nullptr;
    QLineEdit* m_second = nullptr;
};

TEST_F(MessageBoxSinkTest, BoxBelongsToTheRaisingWindowAndFocusComesBack) {
    gui::QMessageBoxSink sink(m_language, &m_other);
    int result = -1;
    const SeenBox seen = show(sink, MessageTimeout, result);
    EXPECT_EQ(result, ButtonOk);
    EXPECT_EQ(seen.parent, &m_raiser);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), &m_raiser);
    EXPECT_EQ(QApplication::focusWidget(), m_second);
}

TEST_F(MessageBoxSinkTest, BoxIsWideEnoughForItsTitleAndShowsTheDetail) {
    m_language.setLanguageIndex(1);
    gui::QMessageBoxSink sink(m_language, &m_other);
    sink.setDetailSource([](int number) {
        return number == MessagePortOpenError ? u"cannot open /dev/ttyUSB0: busy"_qs : QString();
    });
    int result = -1;
    const SeenBox seen = show(sink, MessagePortOpenError, result);
    EXPECT_EQ(seen.informativeText, u"cannot open /dev/ttyUSB0: busy"_qs);
    EXPECT_GT(seen.width, seen.titleWidth);
    // Message 36 has a short text under a title longer than it.
    const SeenBox confirm = show(sink, MessageOtherWindowInAction, result);
    EXPECT_GT(confirm.width, confirm.titleWidth + 100);
    EXPECT_TRUE(confirm.informativeText.isEmpty());
}

} // namespace
