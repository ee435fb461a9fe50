#pragma once
// Which exchange a link message is about, for the line under a time-out or a refusal:
// "camera 12, command 2A" or, within a multi-block transfer, "camera 12, block 37".
#include <QString>

namespace zel {

struct LinkState;
class LinkEngine;

// Empty when nothing was sent.
QString TransactionText(const LinkState& state);

// The messages about one exchange on the line (time-out, NACK, BUSY, bad or long reply),
// which TransactionText completes.
bool IsLinkMessage(int number);

// The line under link message `number`: TransactionText, and for a reply time-out on a
// network port the setting to raise ("…; over a network, raise [RsWait] TimeOutWait in
// zel.ini (now 500 ms)"). Empty for other messages.
QString LinkMessageDetail(const LinkEngine& engine, int number);

} // namespace zel
