#pragma once
// A disk that fills up, for this process and the programs it starts: files cannot grow past
// `bytes` while the object lives (writes beyond fail with EFBIG instead of raising SIGXFSZ).
#include <cstdint>

namespace zel::test {

class FileSizeLimit {
public:
    explicit FileSizeLimit(std::uint64_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool active() const { return m_active; }

private:
    bool m_active = false;
    std::uint64_t m_previous = 0;
    void (*m_previousHandler)(int) = nullptr;
};

} // namespace zel::test
