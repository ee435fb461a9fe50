#pragma once
// Whole-site forms of backup download and titles download: one file per camera of a list.

namespace zel::cli {

class CliContext;
class CommandLine;

// True when the arguments give --camera as a list or range ("1-8,12"): the whole-site form.
bool IsSiteForm(const CommandLine& line);

// backup download --camera LIST --remote N DIR: DIR/cam001.bin ... per camera.
int RunSiteBackupDownload(CliContext& context, const CommandLine& line);
// titles download --camera LIST --remote N DIR: DIR/cam001.ttl ... per camera.
int RunSiteTitlesDownload(CliContext& context, const CommandLine& line);

} // namespace zel::cli
