#pragma once
// zelctl commands register themselves by name with their declared options; main() reads the
// arguments against them and runs one.
#include "CliOption.h"

#include <QStringList>
#include <functional>

namespace zel::cli {

class CliContext;
class CommandLine;

// Exit codes shared by every command; a run ended by a signal exits with 128 + its number
// (130 SIGINT, 143 SIGTERM).
enum ExitCode { ExitOk = 0, ExitFailed = 1, ExitUsage = 2, ExitSignalBase = 128 };

using CommandFunction = std::function<int(CliContext& context, const CommandLine& line)>;

// What a command needs of the Qt application: a console one, or fonts and painting (PDF
// output) on the offscreen platform, without a display.
enum class CommandNeeds { Console, Painting };

struct CliCommand {
    QString name;
    QStringList synopses = {}; // "backup upload [--no-verify] --camera N --remote N FILE", ...
    QString description = {};  // what the command does, for --help
    CliOptions options = {};
    CommandFunction run = {};
    CommandNeeds needs = CommandNeeds::Console;
};

// Static registration: `const CommandRegistrar registrar{{.name = ..., .run = &run}};`
struct CommandRegistrar {
    explicit CommandRegistrar(CliCommand command);
};

const std::vector<CliCommand>& RegisteredCommands();
// The command called `name`, or null.
const CliCommand* FindCommand(const QString& name);

// "zelctl: COMMAND: TEXT" on stderr; returns ExitUsage.
int UsageError(const QString& command, const QString& text);

} // namespace zel::cli
