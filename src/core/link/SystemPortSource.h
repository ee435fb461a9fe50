#pragma once
// The ports the operating system reports. A port counts as busy when a live process holds
// its lock file (the "LCK..name" files that serial programs, this one included, create).
#include "PortSource.h"

#include <QStringList>

namespace zel {

class SystemPortSource : public PortSource {
public:
    SystemPortSource();
    // Lock folders searched for "LCK..name"; tests point this at a folder of their own.
    explicit SystemPortSource(QStringList lockFolders);

    QList<DetectedPort> ports() const override;

    // Whether `device` has a lock file whose process is alive in one of the lock folders.
    bool isLocked(const QString& device) const;

private:
    QStringList m_lockFolders;
};

} // namespace zel
