#pragma once
// What a click on a function or number key of the panel sends: one frame with request
// "False" (an ACK is expected), NOW with "True". Number keys take their number from the
// entry box, check its range first (the range message and nothing sent on failure) and start
// the entry-clear timer once they used it.
#include "PanelKeys.h"

#include <QString>

namespace zel {

class PanelCommands;

class PanelKeyActions {
public:
    explicit PanelKeyActions(PanelCommands& panel) : m_panel(panel) {}

    void run(panel::PanelButton button);

private:
    bool runFixedKey(panel::PanelButton button);
    bool runIndexKey(panel::PanelButton button);
    bool runNumberKey(panel::PanelButton button);
    void send(const QString& data);
    // Flushes a used entry, checks its range, sends what `build` makes of the number and
    // starts the entry-clear timer.
    template <typename Build> void sendWithEntry(int minimum, int maximum, Build build);
    void menu();
    void menuSet();
    void cancel();
    void camera();
    void go();

    PanelCommands& m_panel;
};

} // namespace zel
