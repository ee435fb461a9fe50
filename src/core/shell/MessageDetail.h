#pragma once
// What a message box can add under a message's own text so the user knows what it is
// about: the device and the system's reason for message 6, the file for message 15, the
// camera and command or block of a time-out, NACK, BUSY or bad reply.
#include <QString>

namespace zel {

class Application;

// Empty when the message has nothing to add.
QString messageDetail(Application& app, int number);

} // namespace zel
