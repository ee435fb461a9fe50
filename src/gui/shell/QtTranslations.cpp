#include "QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace zel::gui {

bool QtTranslations::install(int languageIndex, QObject* owner) {
    if (languageIndex != 1)
        return true;
    auto* translator = new QTranslator(owner);
    // "qt_ja" gathers qtbase_ja and the other Qt modules' Japanese texts.
    if (!translator->load(QLocale(QLocale::Japanese), QStringLiteral("qt"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace zel::gui
