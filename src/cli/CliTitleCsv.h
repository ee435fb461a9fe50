#pragma once
// zelctl titles export | import: a .ttl file as comma-separated text for a spreadsheet and
// back (layout in titles/TitleCsvWriter.h).
//
//   titles export IN.ttl OUT.csv     OUT "-": standard output
//   titles import IN.csv OUT.ttl     IN "-": standard input
//       every bad row as "LINE: reason" on stderr, OUT.ttl not written, exit 1; a file that
//       is no title CSV at all is refused on its first line
//
// Both use the title table of the language (--lang).
#include <QStringList>

namespace zel::cli {

class CliContext;

int RunTitleExport(CliContext& context, const QStringList& args);
int RunTitleImport(CliContext& context, const QStringList& args);

} // namespace zel::cli
