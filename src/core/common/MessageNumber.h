#pragma once

namespace zel {

// The numbered messages a MessageSink shows (1..36), each named after its English text.
// Unscoped on purpose: a number passes to MessageSink::ShowMessage as it is.
enum MessageNumber : int {
    MessageKeepReading = 1,               // "Keep file reading ?" after the extra text
    MessageTimeout = 2,                   // "Timeout error"
    MessageNack = 3,                      // "NACK is received."
    MessageError = 4,                     // "Error message": the extra text (range errors too)
    MessageNoContinuousData = 5,          // no data that can be sent continuously
    MessagePortOpenError = 6,             // "COM port open error"
    MessageSaveChanges = 7,               // "Setting data changed. Save the data ?"
    MessageEndCurrentWindow = 8,          // "End current window in use."
    MessageContinuousSending = 9,         // continuous sending in progress
    MessageAlreadyStarted = 10,           // "This application already started."
    MessageReachedLastLine = 11,          // "Reached the last line."
    MessageNoDatabaseFile = 12,           // "No Database File exists."
    MessageDataTooLarge = 13,             // "Receiving data too large"
    MessageReplace = 14,                  // "Replace": the extra text
    MessageNoSettingFile = 15,            // "No Setting File exists."
    MessageReceiveError = 16,             // "Receiving data error."
    MessageCheckErrors = 17,              // "Check result": the extra text, stop icon
    MessageCheckPassed = 18,              // "Check result": the extra text, information icon
    MessageSaveInEdit = 19,               // "Save the data in edit ?"
    MessageNoMoreData = 20,               // "No more data is read." after the extra text
    MessageBusy = 21,                     // "BUSY" is received.
    MessageVerifyError = 22,              // "Verification Error"
    MessageAlreadyOpened = 23,            // "Already opened"
    MessageCannotSave = 24,               // "Cannot be saved at the file."
    MessageFileIncorrect = 25,            // "File incorrect"
    MessageInProgramming = 26,            // "In programing"
    MessageSelectApplicationFile = 27,    // "Select application file."
    MessageNoWriteControlProgram = 28,    // "No control program for writing exists."
    MessageWriteControlProgramError = 29, // "Control program for writing reads error"
    MessageNoApplicationProgram = 30,     // "No application program exists."
    MessageApplicationProgramError = 31,  // "Application program reads error"
    MessageFlashEraseError = 32,          // "Flash erase error"
    MessageFlashWriteError = 33,          // "Flash write error"
    MessageCpuNotConnected = 34,          // "Error:Cpu is not connected."
    MessageCpuCommunicationError = 35,    // "Cpu communication error"
    MessageOtherWindowInAction = 36,      // "Other window in action"
};

constexpr int kMessageCount = MessageOtherWindowInAction;

} // namespace zel
