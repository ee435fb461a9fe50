#pragma once
// Whole-site forms of backup download and titles download: one file per camera of a list.
#include <QStringList>

namespace zel::cli {

class CliContext;

// True when the arguments give --camera as a list or range ("1-8,12"): the whole-site form.
bool IsSiteForm(const QStringList& args);

// backup download --camera LIST --remote N DIR: DIR/cam001.bin ... per camera.
int RunSiteBackupDownload(CliContext& context, const QStringList& args);
// titles download --camera LIST --remote N DIR: DIR/cam001.ttl ... per camera.
int RunSiteTitlesDownload(CliContext& context, const QStringList& args);

} // namespace zel::cli
