#pragma once
// A table of this tool's own texts, one English and one Japanese text per entry, looked up by
// the language index of the language records (0 English, 1 Japanese).
#include <QString>
#include <array>

namespace zel {

struct TextPair {
    const char16_t* en;
    const char16_t* ja;
};

// Entry `index` of `table` in language `languageIndex`; empty past the end.
template <size_t N>
QString TextOf(const std::array<TextPair, N>& table, size_t index, int languageIndex) {
    if (index >= N)
        return {};
    return QString::fromUtf16(languageIndex == 1 ? table[index].ja : table[index].en);
}

} // namespace zel
