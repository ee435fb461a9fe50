#include "SingleInstanceLock.h"

#include <QDir>
#include <QStandardPaths>

namespace zel {

namespace {
QString lockFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return folder.isEmpty() ? QDir::tempPath() : folder;
}
} // namespace

SingleInstanceLock::SingleInstanceLock(const QString& name, const QString& folder)
    : m_path(QDir(folder.isEmpty() ? lockFolder() : folder).filePath(name)),
      m_lock(std::make_unique<QLockFile>(m_path)) {
    // A lock whose process is gone is stale at once; a live process's lock never is.
    m_lock->setStaleLockTime(0);
}

bool SingleInstanceLock::tryLock() {
    if (m_lock->isLocked())
        return true;
    if (m_lock->tryLock(0))
        return true;
    if (m_lock->error() == QLockFile::LockFailedError && m_lock->removeStaleLockFile())
        return m_lock->tryLock(0);
    return false;
}

bool SingleInstanceLock::isLocked() const {
    return m_lock->isLocked();
}

} // namespace zel
