#include "common/NumberBoxGuard.h"

#include "WindowSteps.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>

using namespace zel;
using namespace zel::gui;
using namespace zel::test;

// A window with a number box, an interval box with a point and a plain box to leave to.
class NumberBoxGuardTest : public ::testing::Test {
protected:
    NumberBoxGuardTest() {
        auto* layout = new QVBoxLayout(window.get());
        for (QLineEdit* box : {number, interval, other})
            layout->addWidget(box);
        guard = new NumberBoxGuard(window.get());
        guard->watch(number, [this] {
            ++checks;
            return kRemoteNoRange.contains(number->text());
        });
        guard->watch(
            interval, [] { return true; }, KeyFilterMode::DecimalWithPoint);
        guard->setSteps(
            number, kRemoteNoRange, [this](const QString& text) { steppedTo.append(text); }, true);
        EXPECT_TRUE(ShowActive(window.get()));
    }

    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QLineEdit* number = new QLineEdit(window.get());
    QLineEdit* interval = new QLineEdit(window.get());
    QLineEdit* other = new QLineEdit(window.get());
    NumberBoxGuard* guard = nullptr;
    int checks = 0;
    QStringList steppedTo;
};

TEST_F(NumberBoxGuardTest, KeysPassTheBoxFilterAndOnePointAtMost) {
    TypeAndLeave(number, u"4.2a"_qs);
    EXPECT_EQ(number->text(), u"42"_qs);
    TypeAndLeave(interval, u"1.5.0x"_qs);
    EXPECT_EQ(interval->text(), u"1.50"_qs);
}

TEST_F(NumberBoxGuardTest, ArrowKeysStepWithinTheRangeAndReport) {
    number->setText(u"98"_qs);
    number->setFocus();
    QTest::keyClick(number, Qt::Key_Up);
    QTest::keyClick(number, Qt::Key_Up);
    EXPECT_EQ(number->text(), u"99"_qs);
    number->setText(u"abc"_qs);
    QTest::keyClick(number, Qt::Key_Down);
    EXPECT_EQ(number->text(), u"1"_qs);
    EXPECT_EQ(steppedTo, (QStringList{u"99"_qs, u"99"_qs, u"1"_qs}));
    QTest::keyClick(interval, Qt::Key_Up); // no steps there: the box keeps its text
    EXPECT_TRUE(interval->text().isEmpty());
}

TEST_F(NumberBoxGuardTest, RefusalReturnsTheFocusOnceAndADisabledBoxPasses) {
    TypeAndLeave(number, u"0"_qs);
    EXPECT_EQ(checks, 1); // the focus move back is no second leave
    EXPECT_EQ(QApplication::focusWidget(), number);
    EXPECT_EQ(number->selectedText(), u"0"_qs);
    EXPECT_FALSE(guard->isChecking());

    number->setEnabled(false);
    EXPECT_TRUE(guard->check(number));
    EXPECT_EQ(checks, 1);
    number->setEnabled(true);

    other->setFocus();
    guard->refuse(number); // decided elsewhere, e.g. by the panel's core
    EXPECT_TRUE(guard->isChecking());
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), number);
    EXPECT_FALSE(guard->isChecking());
}
