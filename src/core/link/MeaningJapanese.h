#pragma once
// The traffic log's meanings in Japanese. The decoder words them in English ("pan left,
// speeds 60/60/8/8", "reply: backup block 0007, 32 bytes"); this turns each known word or
// phrase into its Japanese counterpart. Device captions in capitals (PAN, TELE, RESET, ACK)
// stay as the camera's own labels show them, and quoted title texts stay as they are.
#include <QString>

namespace zel {

QString MeaningInJapanese(const QString& english);

} // namespace zel
