#include "NextMessageBox.h"
#include "common/MessageSink.h"
#include "shell/LanguageTables.h"
#include "shell/QMessageBoxSink.h"
#include "shell/SplashWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace zel;

namespace {

TEST(ShellSplashTest, ShowsTitleAndVersionThenHandsOverAfterThreeSeconds) {
    const LanguageTables language;
    gui::SplashWindow splash(language);
    QSignalSpy finished(&splash, &gui::SplashWindow::finished);
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
    gui::SplashWindow splash(language);
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
    gui::QMessageBoxSink sink(language);
    const auto keepReading = test::AnswerNextBox(QMessageBox::No);
    EXPECT_EQ(sink.ShowMessage(1, u"LINE 12"_qs), ButtonNo);
    EXPECT_EQ(keepReading->title, u"File input error"_qs);
    EXPECT_EQ(keepReading->text, u"LINE 12\nKeep file reading ?"_qs);
    EXPECT_EQ(keepReading->icon, QMessageBox::Warning);

    language.setLanguageIndex(1);
    const auto save = test::AnswerNextBox(QMessageBox::Cancel);
    EXPECT_EQ(sink.ShowMessage(19), ButtonCancel);
    EXPECT_EQ(save->title, u"タイトル設定"_qs);

    EXPECT_EQ(sink.ShowMessage(37), ButtonNone); // no box at all
}

} // namespace
