#pragma once
// Key filtering of the communication test's text boxes: printable keys pass through the key
// filter (a lower-case hex letter goes in as upper case); editing keys and shortcuts pass.
#include "common/KeyFilter.h"

class QKeyEvent;
class QLineEdit;

namespace zel::gui {

// True when the key press is handled here (refused, or inserted in its filtered form).
bool FilterBoxKey(QLineEdit& box, const QKeyEvent& event, KeyFilterMode mode);

} // namespace zel::gui
