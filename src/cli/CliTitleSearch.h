#pragma once
// zelctl titles find | replace: the title window's find and Replace All (context 1) on one
// category of a .ttl file.
//
//   titles find FILE.ttl --category N [--whole] TEXT
//       each matching title as NUMBER<TAB>TITLE in number order ("-" for categories 0 and 3);
//       exit 1 with "Reached the last line." when none matches
//   titles replace FILE.ttl --category N [--whole] --find TEXT --replace TEXT [-o OUT.ttl]
//       Replace All; writes OUT.ttl or FILE.ttl (atomic save) and prints "N pieces replaced.";
//       exit 1 with "Reached the last line." and nothing written when nothing matched
//
// The texts are taken as if typed into the dialog (the title key rule of the language).

namespace zel::cli {

class CliContext;
class CommandLine;

int RunTitleFind(CliContext& context, const CommandLine& line);
int RunTitleReplace(CliContext& context, const CommandLine& line);

} // namespace zel::cli
