#include "FindDialogSeat.h"

#include <utility>

namespace zel {

void FindDialogSeat::closeOpen() {
    if (!m_holder)
        return;
    const std::function<void()> close = std::exchange(m_close, {});
    m_holder = nullptr;
    if (close)
        close();
}

void FindDialogSeat::take(const void* dialog, std::function<void()> close) {
    if (m_holder != dialog)
        closeOpen();
    m_holder = dialog;
    m_close = std::move(close);
}

void FindDialogSeat::leave(const void* dialog) {
    if (m_holder != dialog)
        return;
    m_holder = nullptr;
    m_close = {};
}

} // namespace zel
