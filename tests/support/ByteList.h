#pragma once
// Bytes written as a list of values, for tests of binary protocols: bytes({0xFF, 0xFA, 44}).
#include <QByteArray>
#include <initializer_list>

namespace zel::test {

inline QByteArray bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (const int v : values)
        out.append(static_cast<char>(v));
    return out;
}

} // namespace zel::test
