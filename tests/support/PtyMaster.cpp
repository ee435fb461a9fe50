#include "PtyMaster.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

namespace zel::test {

PtyMaster::PtyMaster() {
    m_fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd >= 0 && (::grantpt(m_fd) != 0 || ::unlockpt(m_fd) != 0))
        close();
    if (m_fd >= 0)
        m_slavePath = QString::fromLocal8Bit(::ptsname(m_fd));
}

} // namespace zel::test
