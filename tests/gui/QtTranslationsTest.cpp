#include "shell/QtTranslations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QObject>
#include <QTranslator>
#include <gtest/gtest.h>

using zel::gui::QtTranslations;

namespace {

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

} // namespace
