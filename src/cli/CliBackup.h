#pragma once
// zelctl backup: shared by the transfers and the comparison.
//
//   backup diff [--bytes] A.bin B.bin
//   backup diff [--bytes] --camera N --remote N A.bin     B is the camera, read only
//       one line per differing block ("block N: K bytes differ, first at offset 0xOOOO"), or
//       with --bytes one per differing byte ("0xOOOO AA BB"), then a summary; exit 0 when
//       identical, 1 when they differ, 2 on bad input or when the camera could not be read
#include <QStringList>

namespace zel {
class BackupTransfer;
}

namespace zel::cli {

class CliContext;

// Draws the transfer dialog's progress as a bar on stderr, one line per phase. A phase ends
// complete when the next begins (the last upload ACK adds no step before verification).
void ConnectBackupProgress(CliContext& context, BackupTransfer& transfer);

int RunBackupDiff(CliContext& context, const QStringList& args);

} // namespace zel::cli
