#pragma once
// The two language records (0 English, 1 Japanese) of 313 texts in fixed groups, filled at
// start. Screens read their captions from here by group and index.
#include <QString>
#include <QStringList>
#include <array>

namespace zel {

enum class LangGroup {
    Menu,              // 7: buttons 0..4, button 7, form caption
    Panel,             // 117: operation panel
    TitleSet,          // 44: title setting
    Backup,            // 8
    CpuWriter,         // 11
    Option,            // 18: communication settings
    Find,              // 5
    Replace,           // 8
    TransMit,          // 7: transfer dialog
    Splash,            // 2
    TitleFileLabels,   // 2: ":Controller No", ":Camera No"
    ReportHeader,      // 1
    TitleReports,      // 5
    TitleFileDialogs,  // 5
    BackupFileDialogs, // 4
    SrecFileDialogs,   // 3
    ProgressLabels,    // 12: transfer progress labels
    Messages,          // 54: message texts and pieces
    Count
};

// Pieces of message texts that other screens join into messages 4, 14, 17 and 18.
enum class MessagePiece {
    RemoteNoWrong,
    CameraNoWrong,
    FileNameTooLong,
    RangeJoiner,
    RangeTail,
    NoInput,
    CheckError1,
    CheckError2,
    CountUnit,
    Error,
    ReplaceCount,
    NoError,
};

// Transfer progress labels, in record order.
enum class ProgressLabel {
    InDownload,
    InUpload,
    InSaving,
    SaveAs,
    SaveCompleted,
    InTransmission,
    TransmissionCompleted,
    InVerification,
    Unused,
    VerificationCompleted,
    DownloadCompleted,
    UploadCompleted,
};

// Text indexes of the groups whose order is ours to choose (the other groups follow the
// order of their screens' documentation: Panel 0..116, Backup, CpuWriter, TransMit, ...).
enum MenuText {
    MenuPanel,
    MenuTitle,
    MenuBackup,
    MenuCpuWriter,
    MenuOption,
    MenuExit,
    MenuCaption
};

enum TitleSetText {
    TitleSetDownload,      // CommandDL
    TitleSetUpload,        // CommandUL
    TitleSetCaption,       // window caption "ID setting" (copied as TitleFileDialogs 0)
    TitleSetRemoteNo,      // "REMOTE No."
    TitleSetCameraNo,      // "CAMERA No."
    TitleSetCameraToPc,    // direction label beside DOWNLOAD
    TitleSetPcToCamera,    // direction label beside UPLOAD
    TitleSetCameraIdLabel, // label of TextCamera
    TitleSetAutoPanLabel,  // label of TextAutoPan
    TitleSetMenuFile,
    TitleSetMenuNew,
    TitleSetMenuOpen,
    TitleSetMenuClose,
    TitleSetMenuUpdate,
    TitleSetMenuSave,
    TitleSetMenuPrint,
    TitleSetMenuAllDownLoad,
    TitleSetMenuAllUpLoad,
    TitleSetMenuEdit,
    TitleSetMenuReturns,
    TitleSetMenuCut,
    TitleSetMenuCopy,
    TitleSetMenuPaste,
    TitleSetMenuFind,
    TitleSetMenuRePlace,
    TitleSetMenuTool,
    TitleSetMenuCheck,
    TitleSetMenuSort,
    TitleSetTab0,                       // nine tab captions, TitleSetTab0 + category
    TitleSetHeader1 = TitleSetTab0 + 9, // number column headers of grids 1, 2, 4..8
    TitleSetCount = TitleSetHeader1 + 7
};

enum OptionText {
    OptionCaption,
    OptionLabelPort, // Label1(0..2)
    OptionLabelRate,
    OptionLabelSave,
    OptionPort1,                   // ssoPort(1..4): OptionPort1 + i - 1
    OptionRate0 = OptionPort1 + 4, // ssoRate(0..3)
    OptionSave0 = OptionRate0 + 4, // ssoSave(0..3)
    OptionSettei = OptionSave0 + 4,
    OptionEnd,
    OptionCount
};

enum FindText { FindCaption, FindLabelFind, FindCheckFind, FindCommandFind, FindCommandCancel };

enum ReplaceText {
    ReplaceCaption,
    ReplaceLabelFind,
    ReplaceLabelChange,
    ReplaceCheckFind,
    ReplaceCommandFind,
    ReplaceCommandChange,
    ReplaceCommandAllChange,
    ReplaceCommandCancel
};

enum SplashText { SplashTitle, SplashNotice };

class LanguageTables {
public:
    static constexpr int kTextsPerRecord = 313;

    LanguageTables(); // fills both records

    static int groupSize(LangGroup group);
    static int groupOffset(LangGroup group);

    int languageIndex() const { return m_language; }
    void setLanguageIndex(int language); // 0 or 1; anything else gives 0

    // Text `index` of `group` in the current language (empty when out of range).
    QString text(LangGroup group, int index) const;
    QString text(int language, LangGroup group, int index) const;
    QStringList group(LangGroup group) const;
    QString piece(MessagePiece piece) const;
    QString progress(ProgressLabel label) const;

    // Title and text of message 1..36 in the current language.
    QString messageTitle(int number) const;
    QString messageText(int number) const;

private:
    std::array<QStringList, 3> m_records; // record 2 stays empty
    int m_language = 0;
};

} // namespace zel
