#pragma once
// One title screen without widgets: the document, its files, the editor, the transfer, the find
// target and the automatic backup with its timer, and the rules that tie them together. The
// title window and `zelctl titles` build it the same way and render what it says.
//
// The rules held here:
// - a file read in (Open, Import CSV) starts with no undo and UPLOAD waiting for a new check;
//   it counts as content only when it was read to the end;
// - a download empties the category shown (All download: every category) and replaces it; it
//   is emptied even when its first title then cannot go out;
// - All upload refuses a document whose titles came from nowhere, and UPLOAD follows the
//   result of its check of all nine categories;
// - a finished download counts as content only when every title arrived, and marks the
//   document modified either way;
// - the REMOTE No. and CAMERA No. boxes write the document's fields, and no transfer starts
//   while either is out of range;
// - the window closes only while no transfer runs and after the save prompt.
#include "TitleFiles.h"

#include <QString>
#include <functional>
#include <memory>

namespace zel {

class LanguageTables;
class LinkEngine;
class MessageSink;
class Settings;
class Timer;
class TitleAutoBackup;
class TitleCharTable;
class TitleDocument;
class TitleEditor;
class TitleFindTarget;
class TitleSlots;
class TitleTransfer;
class TransferDialogModel;

// What the program shares with every title screen.
struct TitleSessionParts {
    LinkEngine& engine;
    TitleSlots& titleSlots;
    const Settings& settings;
    const TitleCharTable& table;
    const LanguageTables& language;
    MessageSink& messages;
};

// Every enable flag of the title screen.
struct TitleControls {
    bool undo = false;     // mnuReturns
    bool sort = false;     // mnuSort
    bool cutCopy = true;   // mnuCut, mnuCopy: off while a number box has the focus
    bool upload = false;   // CommandUL
    QString uploadOffHint; // why CommandUL is off, "" while it is on
};

class TitleSession {
public:
    enum class NumberField { Remote, Camera };

    // `timerAutoSave` drives the automatic backup; without one a QtTimer is used.
    TitleSession(const TitleSessionParts& parts, int slot,
                 std::unique_ptr<Timer> timerAutoSave = nullptr);
    ~TitleSession();
    TitleSession(const TitleSession&) = delete;
    TitleSession& operator=(const TitleSession&) = delete;

    int slot() const;
    TitleDocument& document() { return *m_document; }
    const TitleDocument& document() const { return *m_document; }
    TitleEditor& editor() { return *m_editor; }
    const TitleEditor& editor() const { return *m_editor; }
    TitleFiles& files() { return *m_files; }
    TitleFindTarget& findTarget() { return *m_findTarget; }
    TransferDialogModel& transferDialog();
    const TitleAutoBackup& autoBackup() const { return *m_autoBackup; }
    bool isTransferring() const;

    // Window load: no file, CAMERA No. "1" remembered, the CAMERA category shown, the
    // automatic backup armed from the settings.
    void load();
    QString caption() const { return m_files->caption(); }
    TitleControls controls(bool numberBoxHasFocus) const;
    // The AutoSave setting changed (settings dialog).
    void SetTime_OnOffProc();

    // Files. Run confirmDiscard before asking for the file to read.
    bool confirmDiscard();
    TitleOpenResult openFile(const QString& path);
    bool importCsv(const QString& path);
    // Titles read and checked elsewhere (zelctl reads its file before the line opens): taken
    // as a file read to the end.
    void takeDocument(const TitleDocument& read);
    bool exportCsv(const QString& path);
    bool save();
    bool saveAs();

    // Number boxes: typed or stepped text, and the range check when a box is left (message 4
    // when it fails; a valid CAMERA No. becomes the remembered one).
    void remoteNoEdited(const QString& text);
    // False when the user cancelled the save prompt (the document takes the text all the same).
    bool cameraNoEdited(const QString& text);
    bool numberBoxLeft(NumberField field, const QString& text);

    // Transfers of the category shown or of all categories: true when the first title went out
    // and the transfer dialog is to be shown. A REMOTE No. or CAMERA No. out of range is refused
    // with the range message before anything changes.
    bool download();
    bool upload();
    bool allDownload();
    bool allUpload();

    // The window may go: no transfer runs and the save prompt was not cancelled.
    bool mayClose();
    // The window went: its slot's file name is emptied.
    void close();

    // Repaint requests: menus and buttons; the titles of a category; a find hit to show.
    std::function<void()> onStateChanged;
    std::function<void(int category)> onTitlesChanged;
    std::function<void(int line)> onFindHit;
    // A transfer ended; `completed` when the last title went through.
    std::function<void(bool completed)> onTransferEnded;

private:
    bool addressValid();
    void documentRead(bool hasContent);
    void transferEnded(bool completed);
    void connectParts();

    const TitleSessionParts m_parts;
    std::unique_ptr<TitleDocument> m_document;
    std::unique_ptr<TitleFiles> m_files;
    std::unique_ptr<TitleEditor> m_editor;
    std::unique_ptr<TitleTransfer> m_transfer;
    std::unique_ptr<TitleFindTarget> m_findTarget;
    std::unique_ptr<Timer> m_timerAutoSave;
    std::unique_ptr<TitleAutoBackup> m_autoBackup;
    bool m_transferIsDownload = false;
};

} // namespace zel
