#pragma once
// Which exchange a link message is about, for the line under a time-out or a refusal:
// "camera 12, command 2A" or, within a multi-block transfer, "camera 12, block 37".
#include <QString>

namespace zel {

struct LinkState;

// Empty when nothing was sent.
QString TransactionText(const LinkState& state, int languageIndex = 0);

// The messages about one exchange on the line (time-out, NACK, BUSY, bad or long reply),
// which TransactionText completes.
bool IsLinkMessage(int number);

} // namespace zel
