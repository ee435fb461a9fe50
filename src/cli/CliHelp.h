#pragma once
// zelctl's help texts, made from the commands' declarations: "zelctl --help", "zelctl CMD
// --help" (only one form's lines with "zelctl CMD FORM --help"), and the whole text the
// manual page is made of.
#include "CliCommand.h"

namespace zel::cli {

// The help is in language `languageIndex` (0 English, 1 Japanese); the manual page is English.

// The options every command accepts, declared once.
const CliOptions& GlobalOptionDeclarations();

QString GlobalHelp(int languageIndex = 0);
// `form`: a subcommand to narrow the help to; empty for the whole command.
QString CommandHelp(const CliCommand& command, const QString& form = {}, int languageIndex = 0);
// The global help followed by every command's help.
QString ManualText(int languageIndex = 0);

// The option list as --help shows it: name and value, then the description wrapped beside.
QString OptionTable(const CliOptions& options, int languageIndex = 0);
// The columns `text` takes on a terminal: two for each kana, kanji or full-width character.
qsizetype DisplayWidth(const QString& text);

} // namespace zel::cli
