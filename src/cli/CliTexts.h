#pragma once
// zelctl's own texts (those the screens' language records do not hold), one table per
// language like the screens' texts: progress words, answers taken, port and file reasons.
#include <QString>

namespace zel {
class LanguageTables;
}

namespace zel::cli {

enum class CliText {
    Blocks, // progress units
    Titles,
    Cameras,
    Rows,
    Steps,
    ProgressFacts, // "%1/%2 %3, %4 elapsed"
    ProgressLeft,  // ", %1 left"
    CameraPhase,   // "camera %1": a site run's progress
    ScanPhase,     // "scan"
    AnsweredNo,    // a question answered without asking
    AnsweredYes,
    TimeoutPlace,      // "on %1": the port a time-out waited on
    NothingAnswered,   // "%1": the port (and its COMn) on which no camera answered
    ComOfSettings,     // " (COM%1 of the settings)"
    BackupFileSize,    // "%1 has %2 bytes; a backup holds %3"
    SrecInfoHint,      // " (zelctl srec --info %1 shows what it holds)"
    NoParentFolder,    // "%1 is not a folder that can be written: its parent folder %2 ..."
    NotWritableFolder, // "%1 is not a folder that can be written"
    ScanHeader,        // "camera  answer    title"
    ScanCount,         // "%1 of %2 cameras answer"
    Count
};

// The text in the language of `language`.
QString cliText(const LanguageTables& language, CliText id);

} // namespace zel::cli
