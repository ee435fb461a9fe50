#pragma once
// The REMOTE No. and CAMERA No. entry boxes of the screens: digits only, no input method, no
// clipboard menu; after a range message the focus goes back to the box with its text selected.
#include "common/KeyFilter.h"

#include <QString>
#include <functional>

class QKeyEvent;
class QLineEdit;
class QWidget;

namespace zel::gui {

// A box holding "1", at most `maxDigits` long, named `name`.
QLineEdit* makeNumberBox(const QString& name, int maxDigits, QWidget* parent);

// Printable keys pass the key filter (decimal unless said); editing keys and shortcuts pass.
bool decimalKeyAllowed(const QKeyEvent* event, KeyFilterMode mode = KeyFilterMode::Decimal);

// Once the box has finished losing the focus (which clears its selection): focus and select
// it again, then run `done`.
void refocusNumberBox(QLineEdit* box, std::function<void()> done);

} // namespace zel::gui
