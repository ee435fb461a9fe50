#pragma once
// The times of a progress state as a user reads them, in the transfer dialog and on
// zelctl's progress line alike: "0:12 elapsed, 0:16 left".
#include "common/TransferProgress.h"

namespace zel {

// "m:ss elapsed", with ", m:ss left" once the pace is known and while some is left; in
// language `languageIndex` (0 English, 1 Japanese).
QString ProgressTimesText(int languageIndex, const TransferProgress& progress);

} // namespace zel
