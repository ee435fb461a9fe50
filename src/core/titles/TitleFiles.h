#pragma once
// The file life of one title window's document: open, save, save as, the save prompts and the
// caption. The window supplies the common dialogs; everything else is decided here.
#include <QString>
#include <QtGlobal>
#include <functional>

namespace zel {

class LanguageTables;
class MessageSink;
class TitleDocument;
class TitleCharTable;
class TitleSlots;

enum class TitleOpenResult {
    NotLoaded, // refused (path too long, already opened, the file cannot be read or holds
               // no title section); the document and the slot are unchanged
    Loaded,    // the file was read
    Stopped,   // a wrong number and the user chose not to read on: partly read
};

// "FILE holds no titles": a readable text file without any title section.
QString NoTitlesLine(const QString& path, int languageIndex);

class TitleFiles {
public:
    static constexpr int kMaxOpenPathLength = 128; // a path of 129 characters is refused
    // A written file is about 10 kB; anything far larger is not a title file.
    static constexpr qint64 kMaxFileBytes = 1024 * 1024;

    TitleFiles(TitleSlots& titleSlots, int slot, TitleDocument& document, MessageSink& messages,
               const LanguageTables& language);

    // The Save as dialog: the chosen path, or empty when cancelled.
    std::function<QString()> askSaveAsPath;

    int slot() const { return m_slot; }
    bool hasPath() const { return !m_captionPath.isEmpty(); }
    QString path() const { return m_captionPath; }
    // "ID setting", or "ID setting: <path>" while a file is associated.
    QString caption() const;

    // Window load: LastCameraNo "1", no file.
    void load();
    // File > Open with the path from the open dialog (run ConfirmSaveBeforeDiscard before
    // the dialog). Loaded or Stopped leave Undo to be disabled by the window.
    TitleOpenResult ReadTitleFile(const QString& path);
    // File > Import CSV with the path from the open dialog (run ConfirmSaveBeforeDiscard
    // before the dialog): the titles of a CSV file checked with `table`. Every bad row is
    // listed in one message and the document stays as it was; a good file fills the document
    // as an Open does, but is associated with no file and is marked modified (it is saved as
    // a .ttl with Save as). False when nothing was imported.
    bool importCsv(const QString& path, const TitleCharTable& table);
    // File > Export CSV: the document as comma-separated text; message 24 when it fails.
    bool exportCsv(const QString& path);

    // mnuUpdate: the associated file, or Save as without one.
    bool Save();
    // mnuSave: asks for a path, then saveAs.
    bool SaveAs();
    bool saveAs(const QString& path);

    // False when the user cancelled.
    bool ConfirmSaveBeforeDiscard();
    // The CAMERA No. box changed to `newText`: asks to save when it is a number other than a
    // non-empty LastCameraNo; the box (document) then takes the text. False on Cancel.
    bool ConfirmSaveOnCameraChange(const QString& newText);
    // The CAMERA No. box was left with a valid number: it becomes LastCameraNo.
    void cameraNoAccepted();
    // Window closed: the slot's file name is emptied (the menu frees the slot itself).
    void close();

private:
    bool writeTo(const QString& path);

    TitleSlots& m_slots;
    int m_slot;
    TitleDocument& m_document;
    MessageSink& m_messages;
    const LanguageTables& m_language;
    QString m_captionPath;
};

} // namespace zel
