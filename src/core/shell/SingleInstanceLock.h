#pragma once
// Refuses a second running copy: a lock file in the user's runtime (or temp) folder. A copy
// that crashed leaves a stale lock, which the next start detects and takes over.
#include <QLockFile>
#include <QString>
#include <memory>

namespace zel {

class SingleInstanceLock {
public:
    // `name`: the lock's file name; `folder`: where it lives (empty: runtime or temp folder).
    explicit SingleInstanceLock(const QString& name = QStringLiteral("zel.lock"),
                                const QString& folder = {});

    // True when this process now holds the lock; false when another live copy holds it.
    bool tryLock();
    bool isLocked() const;
    QString path() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
};

} // namespace zel
