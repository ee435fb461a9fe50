#include "KeyFilter.h"

namespace zel {

int FilterKeyAscii(int key, KeyFilterMode mode) {
    const bool hex = mode == KeyFilterMode::Hexadecimal;
    if (key == 8 || key == 9 || key == 10)
        return key;
    if (key == '.')
        return mode == KeyFilterMode::DecimalWithPoint ? key : 0;
    if (key >= '0' && key <= '9')
        return key;
    if (key >= 'A' && key <= 'F')
        return hex ? key : 0;
    if (key >= 'a' && key <= 'f')
        return hex ? key - 'a' + 'A' : 0;
    return 0;
}

} // namespace zel
