#pragma once
// Texts of this tool that the two language records do not hold (they keep their documented
// 313 texts): the detected-port list, notices of the menu, details added to messages.
#include <QString>

namespace zel {

class LanguageTables;

enum class ToolText {
    DetectedPorts,      // caption of the detected-port list in the settings dialog
    RefreshPorts,       // its refresh button
    NoPortsFound,       // the list when the system reports none
    PortInUse,          // mark of a port another program holds
    PortOverride,       // "%1" in use for this run instead of COMn (--port / --simulate)
    NotAvailableYet,    // "%1": the screen of that button is not there yet
    DeviceNotDetected,  // "%1": COMn's device, which the system does not report now
    SettingsFileDetail, // "%1": the settings file looked for
    PartialReplaced,    // "%1": a download's .partial left by an earlier one
    NetworkPort,        // caption of the network port field in the settings dialog
    UseNetworkPort,     // its button
    LogRecordingNote,   // the log window while it records
    UploadNeedsCheck,   // why the title window's UPLOAD is off: the check has not passed
    UploadNeedsTitles,  // why it is off: nothing to upload yet
    SaveAsPdf,          // the print preview's button that writes the pages to a PDF file
    ClosePreview,       // the print preview's close button
    ImportCsv,          // title window: File > Import CSV…
    ExportCsv,          // title window: File > Export CSV…
    CsvFilter,          // file dialog filter of comma-separated files
    CompareBackup,      // backup window: compare a backup file with the camera
    CompareResult,      // "%1": caption of the report of that file against the camera
    NetworkTimeoutHint, // "%1": ms; a reply time-out on a network port
    PortCannotOpen,     // "cannot open %1: %2": the device and why
    PortNoSuchDevice,   // why: the system has no such device
    PortHeldBy,         // why: "%1" the program that holds the device
    PortHeldByOther,    // why: another program holds it; "%1" the system's words
    PortNoPermission,   // why: "%1" the system's words, with the group to join
    PortCannotConnect,  // "cannot connect to %1: %2": the network port and why
    PortRefused,        // why: nothing listens there
    PortHostNotFound,   // why: the host name does not resolve
    PortNoConnection,   // why: "%1" ms without a connection
    PortServerClosed,   // why: the server ended the connection
    PortClosedEarly,    // why: it ended it before the line was set up
    ProgressElapsed,    // "%1 elapsed": the transfer dialog's time line
    ProgressLeft,       // ", %1 left"
    Count
};

// The text in the current language of `language`.
QString toolText(const LanguageTables& language, ToolText id);
// The text in language `languageIndex` (0 English, 1 Japanese).
QString toolText(int languageIndex, ToolText id);

} // namespace zel
