#pragma once
// A pseudo-terminal whose master the test holds: its slave is the device a program (or a
// simulator host) opens, and the test plays the far end of the line.
#include "PtyEnd.h"

#include <QString>

namespace zel::test {

class PtyMaster : public PtyEnd {
public:
    PtyMaster(); // non-blocking; isOpen() false when no pseudo-terminal could be made

    QString slavePath() const { return m_slavePath; }

private:
    QString m_slavePath;
};

} // namespace zel::test
