#pragma once
// One report, for every command, of an input file that cannot be read: "zelctl: COMMAND:
// FILE: reason" in the run's language, the system's words added when they say more. Checked
// before the file is handed to a screen's reader, so a missing file is never taken for one
// of the wrong content.
#include <QString>

namespace zel::cli {

class CliContext;

// True when `path` is a regular file this user may read. Else the screen's own message
// `screenMessage` (none when 0), then the line; false.
bool CheckInputFile(CliContext& context, const QString& command, const QString& path,
                    int screenMessage = 0);

} // namespace zel::cli
