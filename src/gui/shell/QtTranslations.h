#pragma once
// Qt's own texts (the standard buttons OK, Cancel, Yes, No; the file dialogs) in the
// language of the run: Qt's Japanese translations are installed when it is Japanese.
class QObject;

namespace zel::gui {

class QtTranslations {
public:
    // Installs the translations of `languageIndex` (1 Japanese; 0 English needs none), owned
    // by `owner`. False when they are not on this system; Qt's English texts stay then.
    static bool install(int languageIndex, QObject* owner);
};

} // namespace zel::gui
