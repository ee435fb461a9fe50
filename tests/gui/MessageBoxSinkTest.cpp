#include "NextMessageBox.h"
#include "common/MessageNumber.h"
#include "shell/LanguageTables.h"
#include "shell/QMessageBoxSink.h"
#include "shell/QtTranslations.h"
#include "shell/SplashWindow.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QObject>
#include <QSignalSpy>
#include <QTranslator>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace zel;
using namespace zel::gui;
using zel::test::SeenBox;

class MessageBoxSinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&m_raiser);
        layout->addWidget(m_first);
        layout->addWidget(m_second);
        m_raiser.show();
        m_other.show();
        m_raiser.activateWindow();
        QApplication::setActiveWindow(&m_raiser);
        m_second->setFocus();
    }
    // Shows `number` and returns what the box looked like; it is answered at once.
    SeenBox show(QMessageBoxSink& sink, int number, int& result) {
        const auto seen = test::AnswerNextBox();
        result = sink.ShowMessage(number);
        EXPECT_TRUE(seen->shown) << number;
        return *seen;
    }

    LanguageTables m_language;
    QWidget m_raiser;
    QWidget m_other; // the menu, say
    QLineEdit* m_first = new QLineEdit(&m_raiser);
    QLineEdit* m_second = new QLineEdit(&m_raiser);
};

TEST_F(MessageBoxSinkTest, BoxBelongsToTheRaisingWindowAndFocusComesBack) {
    QMessageBoxSink sink(m_language, &m_other);
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
    QMessageBoxSink sink(m_language, &m_other);
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

TEST(ShellSplashTest, ShowsTitleAndVersionThenHandsOverAfterThreeSeconds) {
    const LanguageTables language;
    SplashWindow splash(language);
    QSignalSpy finished(&splash, &SplashWindow::finished);
    splash.start();
    EXPECT_TRUE(splash.TimerFirst().isSingleShot());
    EXPECT_EQ(splash.TimerFirst().interval(), 3000);
    EXPECT_EQ(splash.findChild<QLabel*>(u"LabelTitle"_qs)->text(), u"CAMERA CONTROLLER"_qs);
    EXPECT_EQ(splash.findChild<QLabel*>(u"LabelVersion"_qs)->text(), u"1.1"_qs);
    splash.TimerFirst().setInterval(1);
    splash.TimerFirst().start();
    EXPECT_TRUE(finished.wait(2000));
    EXPECT_FALSE(splash.isVisible());
}

TEST(ShellSplashTest, JapaneseNoticeBreaksOnlyBetweenPhrasesInsideTheWindow) {
    LanguageTables language;
    language.setLanguageIndex(1);
    SplashWindow splash(language);
    splash.show();
    const auto* notice = splash.findChild<QLabel*>(u"LabelNotice"_qs);
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->text().contains(u"ツール"_qs));
    EXPECT_FALSE(notice->wordWrap()); // no break inside a word
    const QFontMetrics metrics = notice->fontMetrics();
    for (const QString& line : notice->text().split(QLatin1Char('\n'))) {
        EXPECT_GE(notice->width(), metrics.horizontalAdvance(line));
        // Broken into short lines, in whatever font is installed: 22 full-width characters
        // at most; the whole notice on one line would be about 30.
        EXPECT_LE(metrics.horizontalAdvance(line), 26 * metrics.horizontalAdvance(u"ツ"_qs));
    }
    EXPECT_LE(notice->mapTo(&splash, QPoint(notice->width(), 0)).x(), splash.width());
}

TEST(ShellSplashTest, MessageBoxSinkShowsTheTableAndReturnsTheButton) {
    LanguageTables language;
    QMessageBoxSink sink(language);
    const auto keepReading = test::AnswerNextBox(QMessageBox::No);
    EXPECT_EQ(sink.ShowMessage(1, u"LINE 12"_qs), ButtonNo);
    EXPECT_EQ((QStringList{keepReading->title, keepReading->text}),
              (QStringList{u"File input error"_qs, u"LINE 12\nKeep file reading ?"_qs}));
    EXPECT_EQ(keepReading->icon, QMessageBox::Warning);

    language.setLanguageIndex(1);
    const auto save = test::AnswerNextBox(QMessageBox::Cancel);
    EXPECT_EQ(sink.ShowMessage(19), ButtonCancel);
    EXPECT_EQ(save->title, u"タイトル設定"_qs);

    EXPECT_EQ(sink.ShowMessage(37), ButtonNone); // no box at all
}

TEST(QtTranslationsTest, JapaneseRunTranslatesQtsStandardButtons) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!QDir(folder).exists(u"qtbase_ja.qm"_qs))
        GTEST_SKIP() << "Qt's Japanese translations are not installed";
    {
        QObject english;
        EXPECT_TRUE(QtTranslations::install(0, &english));
        EXPECT_TRUE(english.findChildren<QTranslator*>().isEmpty());
    }
    QObject owner;
    ASSERT_TRUE(QtTranslations::install(1, &owner));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"キャンセル"_qs);
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "&Yes"), u"&Yes"_qs);
    delete owner.findChild<QTranslator*>(); // English again for the other tests
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), u"Cancel"_qs);
}
