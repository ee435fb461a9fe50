#pragma once
// Key-press filter of the numeric entry boxes.

namespace zel {

enum class KeyFilterMode { Decimal = 0, Hexadecimal = 1, DecimalWithPoint = 2 };

// Returns the key code to keep (possibly upper-cased), or 0 when the key is discarded.
// Backspace (8), tab (9) and line feed (10) always pass.
int FilterKeyAscii(int keyAscii, KeyFilterMode mode);

} // namespace zel
