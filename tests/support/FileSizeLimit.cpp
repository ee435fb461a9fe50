#include "FileSizeLimit.h"

#include <csignal>
#include <sys/resource.h>

namespace zel::test {

FileSizeLimit::FileSizeLimit(std::uint64_t bytes) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0)
        return;
    m_previous = limit.rlim_cur;
    m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = bytes;
    m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    if (m_active && ::getrlimit(RLIMIT_FSIZE, &limit) == 0) {
        limit.rlim_cur = m_previous;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    std::signal(SIGXFSZ, m_previousHandler == SIG_ERR ? SIG_DFL : m_previousHandler);
}

} // namespace zel::test
