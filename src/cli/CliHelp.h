#pragma once
// zelctl's help texts, made from the commands' declarations: "zelctl --help", "zelctl CMD
// --help" (only one form's lines with "zelctl CMD FORM --help"), and the whole text the
// manual page is made of.
#include "CliCommand.h"

namespace zel::cli {

// The options every command accepts, declared once.
const CliOptions& GlobalOptionDeclarations();

QString GlobalHelp();
// `form`: a subcommand to narrow the help to; empty for the whole command.
QString CommandHelp(const CliCommand& command, const QString& form = {});
// The global help followed by every command's help.
QString ManualText();

// The option list as --help shows it: name and value, then the description wrapped beside.
QString OptionTable(const CliOptions& options);

} // namespace zel::cli
