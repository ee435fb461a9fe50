#pragma once
// Typing through a key rule (the title key normaliser, the hexadecimal filter): one printable
// character typed into a box is replaced by what the rule makes of it, or dropped for 0.
#include <functional>

class QInputMethodEvent;
class QKeyEvent;
class QLineEdit;

namespace zel::gui {

// True when the key was handled here (replaced or dropped); false lets the box take it as
// typed (the rule kept it, or it is no plain printable character).
bool insertFilteredKey(QLineEdit* box, const QKeyEvent* event,
                       const std::function<int(int key)>& rule);

// The same for text the platform input method commits: every committed character through
// the rule. True when the event was handled here (sent on to the box with the changed text).
bool commitFilteredText(QLineEdit* box, const QInputMethodEvent* event,
                        const std::function<int(int key)>& rule);

} // namespace zel::gui
