#pragma once
// The one find or replace dialog of the whole program. A window that opens a dialog takes the
// seat; the dialog open before (in this window or another) is closed first, so its editor
// takes its highlights off and puts its caret back before the new search starts.
//
//     state.DialogSeat.closeOpen();         // before the editor sets FindState for itself
//     state.DialogSeat.take(dialog, [dialog] { dialog->reject(); });
//     ...                                   // and when that dialog closes or goes:
//     state.DialogSeat.leave(dialog);
#include <functional>

namespace zel {

class FindDialogSeat {
public:
    // Closes the dialog in the seat, if any (its close action runs once, with the seat free).
    void closeOpen();
    // `dialog` takes the seat; another dialog there is closed first.
    void take(const void* dialog, std::function<void()> close);
    // `dialog` closed or went; the seat is free unless another dialog holds it.
    void leave(const void* dialog);

    bool isTaken() const { return m_holder != nullptr; }
    const void* holder() const { return m_holder; }

private:
    const void* m_holder = nullptr;
    std::function<void()> m_close;
};

} // namespace zel
