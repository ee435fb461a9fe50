#pragma once
// Narrow-to-wide mapping of the Japanese code page for single typed characters: ASCII
// letters, digits and signs to their full-width forms, the space to the ideographic space,
// half-width katakana to katakana.

namespace zel {

// The wide form of `ch`, or `ch` itself when it has none.
char16_t WidenJapaneseChar(char16_t ch);

// Full-width ASCII forms (U+FF01..U+FF5E) to ASCII; anything else unchanged.
char16_t NarrowFullWidthAscii(char16_t ch);

} // namespace zel
