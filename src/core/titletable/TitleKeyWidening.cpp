#include "TitleKeyWidening.h"

namespace zel {

namespace {

constexpr char16_t kFullWidthOffset = 0xFEE0;
constexpr char16_t kHalfKanaFirst = 0xFF61;
constexpr char16_t kHalfKanaLast = 0xFF9F;

// U+FF61..U+FF9F in order: punctuation, small kana, long mark, kana, voicing marks.
constexpr char16_t kWideKana[] =
    u"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテト"
    u"ナニヌネノハヒフヘホマミムメモヤユヨラリルレロワン゛゜";
static_assert(sizeof(kWideKana) / sizeof(char16_t) - 1 == kHalfKanaLast - kHalfKanaFirst + 1);

// ASCII signs whose double-byte form in the Japanese code page is not the plain
// full-width form.
char16_t wideSign(char16_t ch) {
    switch (ch) {
    case u'"':
        return u'\u201D'; // right double quotation mark
    case u'\'':
        return u'\u2019'; // right single quotation mark
    case u'\\':
        return u'\uFFE5'; // yen sign
    default:
        return 0;
    }
}

} // namespace

char16_t WidenJapaneseChar(char16_t ch) {
    if (ch == u' ')
        return u'\u3000';
    if (ch > u' ' && ch < 0x7F) {
        const char16_t sign = wideSign(ch);
        return sign != 0 ? sign : static_cast<char16_t>(ch + kFullWidthOffset);
    }
    if (ch >= kHalfKanaFirst && ch <= kHalfKanaLast)
        return kWideKana[ch - kHalfKanaFirst];
    return ch;
}

char16_t NarrowFullWidthAscii(char16_t ch) {
    if (ch >= 0xFF01 && ch <= 0xFF5E)
        return static_cast<char16_t>(ch - kFullWidthOffset);
    return ch;
}

} // namespace zel
