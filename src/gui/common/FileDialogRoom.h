#pragma once
// Qt's own file dialog, given room: wide enough that the places in its side bar
// ("コンピュータ" in Japanese) show whole, and with the file name the save proposes.
class QFileDialog;
class QString;

namespace zel::gui {

// Widens `dialog` and its side bar to their contents.
void giveFileDialogRoom(QFileDialog& dialog);
// The same, and `fileName` (in the dialog's folder) proposed in the name box.
void giveFileDialogRoom(QFileDialog& dialog, const QString& fileName);

} // namespace zel::gui
