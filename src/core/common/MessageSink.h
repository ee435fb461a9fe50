#pragma once
#include <QString>

namespace zel {

// Button results of a message box.
enum MessageButton { ButtonNone = 0, ButtonOk = 1, ButtonCancel = 2, ButtonYes = 6, ButtonNo = 7 };

// Every failure the user sees is a numbered message (1..36) in the current language.
// The GUI shows a QMessageBox, the CLI prints "title: text" on stderr, tests record.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Shows message `number` (1..36) with `extra` text; returns the button pressed
    // (Yes 6, No 7, Cancel 2, OK 1), or 0 for an unknown number.
    virtual int ShowMessage(int number, const QString& extra = {}) = 0;
};

} // namespace zel
