#include "PtySlave.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace zel::test {

bool PtySlave::open(const QString& path) {
    close();
    m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_fd < 0)
        return false;
    termios raw{};
    if (::tcgetattr(m_fd, &raw) == 0) {
        ::cfmakeraw(&raw);
        ::tcsetattr(m_fd, TCSANOW, &raw);
    }
    return true;
}

} // namespace zel::test
