#pragma once
// The program's end of a simulator's pseudo-terminal, opened as a program opens its port.
#include "PtyEnd.h"

#include <QString>

namespace zel::test {

class PtySlave : public PtyEnd {
public:
    PtySlave() = default;

    bool open(const QString& path); // raw mode, non-blocking
};

} // namespace zel::test
