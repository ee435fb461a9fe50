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
    ProgressFacts, // "%1/%2 %3, %4": the count, its unit and the times
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
    UnknownOption,     // usage errors: "unknown option '%1'"
    NeedsValue,        // "%1 needs a value"
    TakesNoValue,      // "%1 takes no value"
    UnreadableArgs,    // the parser refused without a reason of ours
    SeeHelp,           // " (see --help)" after a usage error without a command
    UnknownCommand,    // "unknown command '%1'"
    NumberRange,       // "%1 must be a number from %2 to %3 (got '%4')"
    TakesNoArguments,  // "%1 takes no arguments (got '%2')"
    Required,          // "%1 is required"
    OnlyOne,           // "only one %1 may be given"
    BelongsTo,         // "%1 belongs to %2"
    And,               // joins the forms an option belongs to
    RateValues,        // "--rate must be ..."
    LangValues,        // "--lang must be en or ja"
    FileWritten,       // "file written: %1": the file a transfer wrote
    RowsPhase,         // test run's progress phase
    // What an interruption (SIGINT, SIGTERM) or a lost port left behind.
    PortWentAway,          // "the serial port went away: %1": the port's reason
    DownloadInterrupted,   // "%1 of %2 blocks kept in %3; %4 left as it was"
    UploadInterrupted,     // "%1 stopped after %2 of %3 blocks of %4"
    DiffInterrupted,       // backup diff: nothing compared
    ResultNotWritten,      // "%1 was not written (an earlier file stays as it was)"
    FlashBeforeErase,      // flash: nothing written yet
    FlashPartial,          // "%1 of %2 blocks": the CPU holds a partial program
    InterruptedConnecting, // "%1": the port; nothing was sent
    InterruptedIdle,       // nothing was waiting for an answer
    InterruptedWaiting,    // "(%1)": the exchange; nothing was kept
    PanelStopped,          // "%1" the signal, "%2" the camera that was told to stop
    PanelNothingMoving,    // "%1" the signal
    CamerasNotReached,     // "%1 of %2 cameras not reached"
    TitlesInterrupted,     // "%1 of %2 titles; %3": what the file became
    FileNotWritten,        // "%1 was not written"
    Count
};

// The text in the language of `language`.
QString cliText(const LanguageTables& language, CliText id);
// The text in language `languageIndex` (0 English, 1 Japanese).
QString cliText(int languageIndex, CliText id);

} // namespace zel::cli
